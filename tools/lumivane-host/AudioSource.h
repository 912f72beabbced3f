#pragma once
// Audio the renderer pulls block by block: a file or the built-in test signal.

#include <cstdint>

class AudioSource {
public:
  virtual ~AudioSource() = default;
  virtual int channelCount() const = 0;
  virtual int sampleRate() const = 0;
  virtual std::int64_t frameCount() const = 0;
  // Fills up to frames interleaved frames; answers how many it wrote, 0 at the end.
  virtual std::int64_t read(float* interleaved, std::int64_t frames) = 0;
};
