#include "engine/SwitchableFilter.h"

#include <algorithm>

#include "engine/PortableMath.h"

namespace {
constexpr float kHighestCutoffRatio = 0.45f;

float limitedCutoff(float cutoff, float sampleRate) { return std::min(cutoff, kHighestCutoffRatio * sampleRate); }
}  // namespace

SwitchableFilter::SwitchableFilter(float sampleRate) : stateVariable(sampleRate), ladder(sampleRate) {}

void SwitchableFilter::setSampleRate(float rate) {
  stateVariable.setSampleRate(rate);
  ladder.setSampleRate(rate);
}

void SwitchableFilter::recomputeCoefficients(FilterMode newMode, float cutoff, float resonance) {
  SwitchableFilter* self = this;
  recomputeCoefficients(&self, 1, newMode, &cutoff, resonance);
}

void SwitchableFilter::recomputeCoefficients(SwitchableFilter* const* filters, int count, FilterMode mode,
                                             const float* cutoffs, float resonance) {
  // Only the filter that the mode runs is set up: the other one stands still
  // until a mode selects it, and that always comes with a new set up.
  for (int i = 0; i < count; ++i) filters[i]->mode = mode;
  if (usesLadder(mode)) {
    LadderFilter* ladders[kExpBatch] = {};
    float ladderCutoffs[kExpBatch] = {};
    for (int i = 0; i < count; ++i) {
      ladders[i] = &filters[i]->ladder;
      ladderCutoffs[i] = limitedCutoff(cutoffs[i], ladders[i]->currentSampleRate());
    }
    LadderFilter::recomputeCoefficients(ladders, ladderCutoffs, resonance, count);
    return;
  }
  for (int i = 0; i < count; ++i) {
    StateVariableFilter& stateVariable = filters[i]->stateVariable;
    stateVariable.recomputeCoefficients(limitedCutoff(cutoffs[i], stateVariable.currentSampleRate()), resonance);
  }
}

void SwitchableFilter::copyCoefficientsFrom(const SwitchableFilter& source) {
  mode = source.mode;
  stateVariable.copyCoefficientsFrom(source.stateVariable);
  ladder.copyCoefficientsFrom(source.ladder);
}

void SwitchableFilter::clearStateIfNotFinite() {
  if (!stateVariable.stateIsFinite()) stateVariable.clearState();
  if (!ladder.stateIsFinite()) ladder.clearState();
}
