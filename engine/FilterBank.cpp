#include "engine/FilterBank.h"

#include "engine/SwitchableFilter.h"

template <int Channels, int Count, int Mode>
void FilterBank::runStateVariable(const Run& run) {
  float f[Channels][Count], d[Channels][Count], low[Channels][Count], band[Channels][Count];
  float high[Channels][Count], notch[Channels][Count];
  for (int c = 0; c < Channels; ++c)
    for (int k = 0; k < Count; ++k) {
      const StateVariableFilter& unit = run.banks[c][k].stateVariable;
      f[c][k] = unit.frequency;
      d[c][k] = unit.damp;
      low[c][k] = unit.low;
      band[c][k] = unit.band;
      high[c][k] = unit.high;
      notch[c][k] = unit.notch;
    }
  for (int j = 0; j < run.frames; ++j) {
    for (int c = 0; c < Channels; ++c) {
      const float x = run.inputs[c][j];
      for (int k = 0; k < Count; ++k)
        for (int pass = 0; pass < 2; ++pass) {
          low[c][k] = low[c][k] + f[c][k] * band[c][k];
          notch[c][k] = x - d[c][k] * band[c][k];
          high[c][k] = notch[c][k] - low[c][k];
          band[c][k] = band[c][k] + f[c][k] * high[c][k];
        }
    }
    for (int c = 0; c < Channels; ++c) {
      float sum = run.replacing ? 0.0f : run.outputs[c][j];
      for (int k = 0; k < Count; ++k) {
        const float y = Mode == kBypass       ? run.inputs[c][j]
                        : Mode == kLowPass12  ? low[c][k]
                        : Mode == kHighPass12 ? high[c][k]
                        : Mode == kBandPass12 ? band[c][k]
                                              : notch[c][k];
        sum += y * run.gain;
      }
      run.outputs[c][j] = sum;
    }
  }
  for (int c = 0; c < Channels; ++c)
    for (int k = 0; k < Count; ++k) {
      StateVariableFilter& unit = run.banks[c][k].stateVariable;
      unit.input = run.inputs[c][run.frames - 1];
      unit.low = low[c][k];
      unit.band = band[c][k];
      unit.high = high[c][k];
      unit.notch = notch[c][k];
    }
}

template <int Channels, int Count>
void FilterBank::runLadder(const Run& run) {
  float k[Channels][Count], p[Channels][Count], r[Channels][Count], stage[Channels][Count];
  float previousX[Channels][Count], y1[Channels][Count], y2[Channels][Count], y3[Channels][Count];
  float y4[Channels][Count], previousY1[Channels][Count], previousY2[Channels][Count], previousY3[Channels][Count];
  for (int c = 0; c < Channels; ++c)
    for (int i = 0; i < Count; ++i) {
      const LadderFilter& unit = run.banks[c][i].ladder;
      k[c][i] = unit.pole;
      p[c][i] = unit.inputCoefficient;
      r[c][i] = unit.feedback;
      stage[c][i] = unit.stageInput;
      previousX[c][i] = unit.previousX;
      y1[c][i] = unit.y1;
      y2[c][i] = unit.y2;
      y3[c][i] = unit.y3;
      y4[c][i] = unit.y4;
      previousY1[c][i] = unit.previousY1;
      previousY2[c][i] = unit.previousY2;
      previousY3[c][i] = unit.previousY3;
    }
  for (int j = 0; j < run.frames; ++j) {
    for (int c = 0; c < Channels; ++c) {
      const float x = run.inputs[c][j];
      for (int i = 0; i < Count; ++i) {
        stage[c][i] = x - r[c][i] * y4[c][i];
        y1[c][i] = p[c][i] * stage[c][i] + p[c][i] * previousX[c][i] - k[c][i] * y1[c][i];
        previousX[c][i] = stage[c][i];
        y2[c][i] = p[c][i] * y1[c][i] + p[c][i] * previousY1[c][i] - k[c][i] * y2[c][i];
        previousY1[c][i] = y1[c][i];
        y3[c][i] = p[c][i] * y2[c][i] + p[c][i] * previousY2[c][i] - k[c][i] * y3[c][i];
        previousY2[c][i] = y2[c][i];
        y4[c][i] = p[c][i] * y3[c][i] + p[c][i] * previousY3[c][i] - k[c][i] * y4[c][i];
        previousY3[c][i] = y3[c][i];
        y4[c][i] = LadderFilter::softClip(y4[c][i]);
      }
    }
    for (int c = 0; c < Channels; ++c) {
      float sum = run.replacing ? 0.0f : run.outputs[c][j];
      for (int i = 0; i < Count; ++i) sum += y4[c][i] * run.gain;
      run.outputs[c][j] = sum;
    }
  }
  for (int c = 0; c < Channels; ++c)
    for (int i = 0; i < Count; ++i) {
      LadderFilter& unit = run.banks[c][i].ladder;
      unit.stageInput = stage[c][i];
      unit.previousX = previousX[c][i];
      unit.y1 = y1[c][i];
      unit.y2 = y2[c][i];
      unit.y3 = y3[c][i];
      unit.y4 = y4[c][i];
      unit.previousY1 = previousY1[c][i];
      unit.previousY2 = previousY2[c][i];
      unit.previousY3 = previousY3[c][i];
    }
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
