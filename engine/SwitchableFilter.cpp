#include "engine/SwitchableFilter.h"

#include <algorithm>

namespace {
constexpr float kHighestCutoffRatio = 0.45f;

float limitedCutoff(float cutoff, float sampleRate) { return std::min(cutoff, kHighestCutoffRatio * sampleRate); }
}  // namespace

SwitchableFilter::SwitchableFilter(float sampleRate) : stateVariable(sampleRate), ladder(sampleRate) {}

void SwitchableFilter::setSampleRate(float rate) {
  stateVariable.setSampleRate(rate);
  ladder.setSampleRate(rate);
}

void SwitchableFilter::recomputeCoefficients(VstInt32 newMode, float cutoff, float resonance) {
  mode = newMode;
  stateVariable.recomputeCoefficients(limitedCutoff(cutoff, stateVariable.currentSampleRate()), resonance);
  ladder.recomputeCoefficients(limitedCutoff(cutoff, ladder.currentSampleRate()), resonance);
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
