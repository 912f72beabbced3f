#include "MemoryAudio.h"

#include <sndfile.h>

#include <algorithm>
#include <stdexcept>
#include <string>

MemorySource::MemorySource(int channelsPerFrame, int sampleRate, std::vector<float> interleaved)
    : channels(channelsPerFrame), rate(sampleRate), samples(std::move(interleaved)) {}

std::int64_t MemorySource::read(float* interleaved, std::int64_t frames) {
  const std::int64_t count = std::min(frames, frameCount() - position);
  std::copy_n(samples.begin() + position * channels, count * channels, interleaved);
  position += count;
  return count;
}

void MemorySink::write(const float* interleaved, std::int64_t frames) {
  samples.insert(samples.end(), interleaved, interleaved + frames * channels);
  blockLengths.push_back(frames);
}

void writeAudioFile(const std::string& path, int channels, int sampleRate, const std::vector<float>& interleaved) {
  SF_INFO info{};
  info.channels = channels;
  info.samplerate = sampleRate;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) throw std::runtime_error("cannot write " + path);
  sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(interleaved.size()) / channels);
  sf_close(file);
}

AudioFileContents readAudioFile(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) throw std::runtime_error("cannot read " + path);
  AudioFileContents contents{info.channels, info.samplerate,
                             std::vector<float>(static_cast<std::size_t>(info.frames) * info.channels)};
  sf_readf_float(file, contents.samples.data(), info.frames);
  sf_close(file);
  return contents;
}
