#pragma once
// One filter of the sweep: a state-variable filter and a ladder filter, of
// which the mode selects one; the other keeps its state for later.

#include "engine/FilterMode.h"
#include "engine/LadderFilter.h"
#include "engine/StateVariableFilter.h"

class SwitchableFilter {
public:
  explicit SwitchableFilter(float sampleRate);

  // Coefficients follow at the next recomputeCoefficients.
  void setSampleRate(float rate);
  // The cut-off is held below 0.45 of each member's sample rate, where the
  // ladder's stages stay stable.
  void recomputeCoefficients(FilterMode mode, float cutoff, float resonance);
  // Several filters at once (at most four), each as recomputeCoefficients
  // would set it up; the ladders' exponentials are evaluated side by side.
  static void recomputeCoefficients(SwitchableFilter* const* filters, int count, FilterMode mode, const float* cutoffs,
                                    float resonance);
  // The mode and coefficients of `source`, which runs at the same sample rate:
  // the same as recomputing them, without the sines and exponentials.
  void copyCoefficientsFrom(const SwitchableFilter& source);
  float processSample(float x) {
    if (usesLadder(mode)) return ladder.processSample(x);
    stateVariable.processSample(x);
    return stateVariableOutput(mode, stateVariable.inputOutput(), stateVariable.lowOutput(), stateVariable.highOutput(),
                               stateVariable.bandOutput(), stateVariable.notchOutput());
  }
  // A non-finite state (a NaN from the host, a diverged ladder) is cleared, so
  // that one bad sample cannot silence the filter for good.
  void clearStateIfNotFinite();

  FilterMode currentMode() const { return mode; }
  const StateVariableFilter& stateVariableFilter() const { return stateVariable; }
  const LadderFilter& ladderFilter() const { return ladder; }

private:
  friend class FilterBank;

  FilterMode mode = FilterMode::kLowPass12;
  StateVariableFilter stateVariable;
  LadderFilter ladder;
};
