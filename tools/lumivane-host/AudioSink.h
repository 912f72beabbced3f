#pragma once
// Where the renderer puts the processed audio.

#include <cstdint>

class AudioSink {
public:
  virtual ~AudioSink() = default;
  virtual void write(const float* interleaved, std::int64_t frames) = 0;
};
