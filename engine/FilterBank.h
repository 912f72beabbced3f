#pragma once
// The active filters of the connected channels run over a stretch of samples
// between two control updates, where modes and coefficients stay fixed. The
// filters of a channel run side by side in the four lanes of an SSE2 vector,
// the channels' vectors interleaved so that their recursions overlap. Every
// lane goes through exactly the arithmetic of its filter's own recursion in
// the same order (no fused or regrouped operations), and each channel's
// outputs are summed in filter order one by one, so the output is bit for bit
// that of the plain sample-by-sample loop, which stays as the reference.

#include "engine/FilterMode.h"
#include "engine/StepClock.h"

class SwitchableFilter;

enum class FilterKernel {
  Vector,  // the SSE2 kernels
  Plain,   // each filter one sample at a time: the reference
};

class FilterBank {
public:
  static constexpr int kMaximumChannels = 2;
  static constexpr int kMaximumFilters = 4;

  // For each of `channels` channels c: runs banks[c][0 .. count - 1] over
  // `frames` samples of inputs[c] (the noise against denormals already added)
  // and adds each filter's output times gain, in filter order, onto outputs[c]
  // (onto silence when replacing). The clock's stretch moves on by `frames`
  // samples in the same loop, whether any filter runs or not.
  static void processRun(SwitchableFilter* const* banks, int channels, int count, const float* const* inputs,
                         float* const* outputs, int frames, float gain, bool replacing, StepClock::Stretch& clock,
                         FilterKernel kernel = FilterKernel::Vector);

private:
  struct Run {
    SwitchableFilter* const* banks;
    const float* const* inputs;
    float* const* outputs;
    int frames;
    float gain;
    bool replacing;
    StepClock::Stretch* clock;
  };

  template <int Channels, int Count>
  static void runMode(FilterMode mode, const Run& run);
  template <int Channels, int Count, FilterMode Mode>
  static void runStateVariable(const Run& run);
  template <int Channels, int Count>
  static void runLadder(const Run& run);
  template <int Channels>
  static void runCount(FilterMode mode, int count, const Run& run);
  static void runPlain(int channels, int count, const Run& run);
};
