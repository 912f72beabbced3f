#include <gtest/gtest.h>

#include <sndfile.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "MemoryAudio.h"
#include "ToolProcess.h"
#include "tools/lumivane-host/AudioFileWriter.h"
#include "tools/lumivane-host/ToolError.h"

namespace {
constexpr std::int64_t kHourAt192k = 3600LL * 192000;

std::string formatOrRefusal(const std::string& path, int channels, std::int64_t frames) {
  try {
    return std::to_string(AudioFileWriter::formatFor(path, channels, frames));
  } catch (const ToolError& error) {
    return error.what();
  }
}

std::string bytesOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}
}  // namespace

// Decided before rendering from the frames expected: no 4 GiB written to find out.
TEST(AudioFileWriter, WritesRf64OrRefusesWhereAPlainFilesSizesWouldWrapRound) {
  struct Case {
    std::string path;
    int channels;
    std::int64_t frames;
    std::string expected;
  };
  const std::string plainWav = std::to_string(SF_FORMAT_WAV | SF_FORMAT_FLOAT);
  const std::string rf64 = std::to_string(SF_FORMAT_RF64 | SF_FORMAT_FLOAT);
  const Case cases[] = {
      {"out.wav", 2, 44100, plainWav},
      {"out.wav", 2, 500'000'000, plainWav},  // 3.7 GiB
      {"out.wav", 2, kHourAt192k, rf64},
      {"out.WAVE", 1, 1'200'000'000, rf64},
      {"out.w64", 2, kHourAt192k, std::to_string(SF_FORMAT_W64 | SF_FORMAT_FLOAT)},
      {"out.flac", 2, kHourAt192k, std::to_string(SF_FORMAT_FLAC | SF_FORMAT_PCM_24)},
      {"out.aiff", 2, kHourAt192k,
       "cannot write out.aiff: its 5.1 GiB pass the 4 GiB its format holds; name it .wav, .w64, .rf64, .caf or .flac"},
      {"out.au", 2, kHourAt192k,
       "cannot write out.au: its 5.1 GiB pass the 4 GiB its format holds; name it .wav, .w64, .rf64, .caf or .flac"},
  };
  for (const Case& format : cases)
    EXPECT_EQ(formatOrRefusal(format.path, format.channels, format.frames), format.expected)
        << format.path << " " << format.frames;
}

TEST(AudioFileWriter, SmallWavIsThePlainWavLibsndfileWrites) {
  ScratchFolder folder;
  std::vector<float> samples;
  for (int s = 0; s < 3000; ++s) samples.push_back(static_cast<float>(s % 100) / 100.0f);
  AudioFileWriter writer(folder.path("tool.wav"), 2, 48000, 1500);
  writer.write(samples.data(), 1500);
  writer.finish();
  writeAudioFile(folder.path("plain.wav"), 2, 48000, samples);
  EXPECT_EQ(bytesOf(folder.path("tool.wav")), bytesOf(folder.path("plain.wav")));
}
