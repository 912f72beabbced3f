#pragma once
// An audio file read through libsndfile (WAV, FLAC, AIFF and the other formats it knows).

#include <sndfile.h>

#include <string>

#include "tools/lumivane-host/AudioSource.h"

class AudioFileReader final : public AudioSource {
public:
  // Throws ToolError when the file is missing, unreadable or of no known format.
  explicit AudioFileReader(const std::string& inputPath);
  ~AudioFileReader() override;

  AudioFileReader(const AudioFileReader&) = delete;
  AudioFileReader& operator=(const AudioFileReader&) = delete;

  int channelCount() const override { return info.channels; }
  int sampleRate() const override { return info.samplerate; }
  std::int64_t frameCount() const override { return info.frames; }
  std::int64_t read(float* interleaved, std::int64_t frames) override;

private:
  std::string path;
  SF_INFO info{};
  SNDFILE* file = nullptr;
};
