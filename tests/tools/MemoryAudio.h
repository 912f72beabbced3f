#pragma once
// Audio held in memory, for rendering without files.

#include <string>
#include <vector>

#include "tools/lumivane-host/AudioSink.h"
#include "tools/lumivane-host/AudioSource.h"

class MemorySource final : public AudioSource {
public:
  MemorySource(int channelsPerFrame, int sampleRate, std::vector<float> interleaved);
  int channelCount() const override { return channels; }
  int sampleRate() const override { return rate; }
  std::int64_t frameCount() const override { return static_cast<std::int64_t>(samples.size()) / channels; }
  std::int64_t read(float* interleaved, std::int64_t frames) override;

private:
  int channels;
  int rate;
  std::vector<float> samples;
  std::int64_t position = 0;
};

class MemorySink final : public AudioSink {
public:
  explicit MemorySink(int channelsPerFrame) : channels(channelsPerFrame) {}
  void write(const float* interleaved, std::int64_t frames) override;
  std::vector<float> samples;  // interleaved, as written
  std::vector<std::int64_t> blockLengths;

private:
  int channels;
};

// Writes an audio file with libsndfile for a test to read back through the tool.
void writeAudioFile(const std::string& path, int channels, int sampleRate, const std::vector<float>& interleaved);
struct AudioFileContents {
  int channels;
  int sampleRate;
  std::vector<float> samples;  // interleaved
};
AudioFileContents readAudioFile(const std::string& path);
