#pragma once
// The active filters of the connected channels run over a stretch of samples
// between two control updates, where modes and coefficients stay fixed. All
// of them run side by side with their states held in registers, so their
// recursions overlap; every sample still goes through exactly the arithmetic
// of the filters' own recursions in the same order, so the output is bit
// for bit that of the plain sample-by-sample loop.

#include "host/VstAbi.h"

class SwitchableFilter;

class FilterBank {
public:
  static constexpr int kMaximumChannels = 2;

  // For each of `channels` channels c: runs banks[c][0 .. count - 1] over
  // `frames` samples of inputs[c] (the noise against denormals already added)
  // and adds each filter's output times gain, in filter order, onto outputs[c]
  // (onto silence when replacing).
  static void processRun(SwitchableFilter* const* banks, int channels, int count, const float* const* inputs,
                         float* const* outputs, int frames, float gain, bool replacing);

private:
  struct Run {
    SwitchableFilter* const* banks;
    const float* const* inputs;
    float* const* outputs;
    int frames;
    float gain;
    bool replacing;
  };

  template <int Channels, int Count>
  static void runMode(VstInt32 mode, const Run& run);
  template <int Channels, int Count, int Mode>
  static void runStateVariable(const Run& run);
  template <int Channels, int Count>
  static void runLadder(const Run& run);
  template <int Channels>
  static void runCount(VstInt32 mode, int count, const Run& run);
  static void runMixedModes(int channels, int count, const Run& run);
};
