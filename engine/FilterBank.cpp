#include "engine/FilterBank.h"

#include "engine/SwitchableFilter.h"

template <int Channels, int Count, int Mode>
void FilterBank::runStateVariable(const Run& run) {
  StateVariableFilter::State state[Channels][Count];
  float frequency[Channels][Count], damp[Channels][Count];
  for (int c = 0; c < Channels; ++c)
    for (int k = 0; k < Count; ++k) {
      const StateVariableFilter& unit = run.banks[c][k].stateVariable;
      state[c][k] = unit.state;
      frequency[c][k] = unit.frequency;
      damp[c][k] = unit.damp;
    }
  for (int j = 0; j < run.frames; ++j) {
    for (int c = 0; c < Channels; ++c) {
      const float x = run.inputs[c][j];
      for (int k = 0; k < Count; ++k) {
        StateVariableFilter::pass(state[c][k], x, frequency[c][k], damp[c][k]);
        StateVariableFilter::pass(state[c][k], x, frequency[c][k], damp[c][k]);
      }
    }
    for (int c = 0; c < Channels; ++c) {
      float sum = run.replacing ? 0.0f : run.outputs[c][j];
      for (int k = 0; k < Count; ++k) {
        const StateVariableFilter::State& s = state[c][k];
        const float y = Mode == kBypass       ? run.inputs[c][j]
                        : Mode == kLowPass12  ? s.low
                        : Mode == kHighPass12 ? s.high
                        : Mode == kBandPass12 ? s.band
                                              : s.notch;
        sum += y * run.gain;
      }
      run.outputs[c][j] = sum;
    }
  }
  for (int c = 0; c < Channels; ++c)
    for (int k = 0; k < Count; ++k) {
      StateVariableFilter& unit = run.banks[c][k].stateVariable;
      unit.input = run.inputs[c][run.frames - 1];
      unit.state = state[c][k];
    }
}

template <int Channels, int Count>
void FilterBank::runLadder(const Run& run) {
  LadderFilter::State state[Channels][Count];
  float p[Channels][Count], k[Channels][Count], r[Channels][Count];
  for (int c = 0; c < Channels; ++c)
    for (int i = 0; i < Count; ++i) {
      const LadderFilter& unit = run.banks[c][i].ladder;
      state[c][i] = unit.state;
      p[c][i] = unit.inputCoefficient;
      k[c][i] = unit.pole;
      r[c][i] = unit.feedback;
    }
  for (int j = 0; j < run.frames; ++j) {
    for (int c = 0; c < Channels; ++c) {
      const float x = run.inputs[c][j];
      for (int i = 0; i < Count; ++i) LadderFilter::step(state[c][i], x, p[c][i], k[c][i], r[c][i]);
    }
    for (int c = 0; c < Channels; ++c) {
      float sum = run.replacing ? 0.0f : run.outputs[c][j];
      for (int i = 0; i < Count; ++i) sum += state[c][i].y4 * run.gain;
      run.outputs[c][j] = sum;
    }
  }
  for (int c = 0; c < Channels; ++c)
    for (int i = 0; i < Count; ++i) run.banks[c][i].ladder.state = state[c][i];
}

template <int Channels, int Count>
void FilterBank::runMode(VstInt32 mode, const Run& run) {
  switch (mode) {
    case kBypass: return runStateVariable<Channels, Count, kBypass>(run);
    case kHighPass12: return runStateVariable<Channels, Count, kHighPass12>(run);
    case kBandPass12: return runStateVariable<Channels, Count, kBandPass12>(run);
    case kNotch12: return runStateVariable<Channels, Count, kNotch12>(run);
    case kLowPass24: return runLadder<Channels, Count>(run);
    default: return runStateVariable<Channels, Count, kLowPass12>(run);
  }
}

template <int Channels>
void FilterBank::runCount(VstInt32 mode, int count, const Run& run) {
  switch (count) {
    case 1: return runMode<Channels, 1>(mode, run);
    case 2: return runMode<Channels, 2>(mode, run);
    case 3: return runMode<Channels, 3>(mode, run);
    default: return runMode<Channels, 4>(mode, run);
  }
}

// Filters that still carry different modes (a filter switched on again keeps
// its old mode until the next control update) run one sample at a time.
void FilterBank::runMixedModes(int channels, int count, const Run& run) {
  for (int c = 0; c < channels; ++c)
    for (int j = 0; j < run.frames; ++j) {
      float sum = run.replacing ? 0.0f : run.outputs[c][j];
      for (int k = 0; k < count; ++k) sum += run.banks[c][k].processSample(run.inputs[c][j]) * run.gain;
      run.outputs[c][j] = sum;
    }
}

void FilterBank::processRun(SwitchableFilter* const* banks, int channels, int count, const float* const* inputs,
                            float* const* outputs, int frames, float gain, bool replacing) {
  if (frames <= 0 || channels <= 0 || count <= 0) return;
  const Run run{banks, inputs, outputs, frames, gain, replacing};
  const VstInt32 mode = banks[0][0].mode;
  for (int c = 0; c < channels; ++c)
    for (int k = 0; k < count; ++k)
      if (banks[c][k].mode != mode) return runMixedModes(channels, count, run);
  if (channels == 1)
    runCount<1>(mode, count, run);
  else
    runCount<2>(mode, count, run);
}
