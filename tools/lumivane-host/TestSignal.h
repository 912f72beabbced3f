#pragma once
// The built-in test signal: a rhythmic stereo loop at the host's tempo, rich in
// harmonics from the bass up to the treble, so that every cut-off the sweep
// moves to leaves a visible edge in a spectrogram and an audible change.

#include <cstdint>

#include "tools/lumivane-host/AudioSource.h"

class TestSignal final : public AudioSource {
public:
  // Stereo, or both channels mixed down to one for a plug-in with one input.
  TestSignal(int sampleRate, double tempo, double seconds, int channels = 2);

  int channelCount() const override { return channelsPerFrame; }
  int sampleRate() const override { return rate; }
  std::int64_t frameCount() const override { return frames; }
  std::int64_t read(float* interleaved, std::int64_t frames) override;

private:
  // One band-limited sawtooth voice.
  struct Saw {
    double phase;
    double increment;
    double next();
  };

  float noise();
  void frameAt(std::int64_t frame, float& left, float& right);

  int channelsPerFrame;
  int rate;
  double samplesPerBeat;
  std::int64_t frames;
  std::int64_t position = 0;
  Saw leftVoices[3];
  Saw rightVoices[3];
  std::uint32_t noiseState = 0x1234567u;
};
