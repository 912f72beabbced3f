#include "tools/lumivane-host/AudioFileReader.h"

#include <filesystem>
#include <system_error>

#include "tools/lumivane-host/ToolError.h"

namespace {
constexpr int kMostChannels = 64;
constexpr int kLowestRate = 1000;
constexpr int kHighestRate = 768000;
}  // namespace

AudioFileReader::AudioFileReader(const std::string& inputPath) : path(inputPath) {
  std::error_code error;
  if (!std::filesystem::exists(inputPath, error)) throw ToolError("input file " + inputPath + " does not exist");
  if (std::filesystem::is_directory(inputPath, error))
    throw ToolError("input " + inputPath + " is a folder, not an audio file");
  file = sf_open(inputPath.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    // libsndfile names a header with no sample rate only as an internal error.
    const std::string reason = sf_strerror(nullptr);
    if (reason.find("SF_INFO struct incomplete") != std::string::npos)
      throw ToolError("cannot read " + inputPath + ": its header gives a sample rate of 0 Hz or no channels");
    throw ToolError("cannot read " + inputPath + ": " + reason);
  }
  if (info.channels < 1 || info.channels > kMostChannels || info.samplerate < kLowestRate ||
      info.samplerate > kHighestRate || info.frames < 0) {
    sf_close(file);
    throw ToolError("cannot read " + inputPath + ": " + std::to_string(info.channels) + " channels at " +
                    std::to_string(info.samplerate) + " Hz is not audio this tool renders");
  }
}

AudioFileReader::~AudioFileReader() { sf_close(file); }

std::int64_t AudioFileReader::read(float* interleaved, std::int64_t frames) {
  const sf_count_t got = sf_readf_float(file, interleaved, frames);
  if (got < 0 || sf_error(file) != SF_ERR_NO_ERROR) throw ToolError("cannot read " + path + ": " + sf_strerror(file));
  return got;
}
