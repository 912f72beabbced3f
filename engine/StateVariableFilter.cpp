#include "engine/StateVariableFilter.h"

#include <algorithm>
#include <cmath>

#include "engine/AllFinite.h"
#include "engine/PortableMath.h"

StateVariableFilter::StateVariableFilter(float rate) : sampleRate(rate) { recomputeCoefficients(440.0f, 0.5f); }

void StateVariableFilter::recomputeCoefficients(float newCutoff, float newResonance) {
  constexpr float kPi = 3.1415927f;
  resonance = newResonance;
  cutoff = newCutoff;
  // Two passes per sample: the coefficient is that of twice the sample rate.
  const double f = 2.0 * portableSin(static_cast<double>(kPi) * cutoff / (2.0 * sampleRate));
  const double upperDamping = 2.0 / f - f * 0.5;
  const float limitedDamping = static_cast<float>(std::min(upperDamping, 2.0));
  // R^0.25 as two square roots: exactly rounded on every build, unlike pow.
  const double resonanceDamping = 2.0 * (1.0 - std::sqrt(std::sqrt(static_cast<double>(resonance))));
  frequency = static_cast<float>(f);
  damp = static_cast<float>(std::min(static_cast<double>(limitedDamping), resonanceDamping));
}

void StateVariableFilter::copyCoefficientsFrom(const StateVariableFilter& source) {
  resonance = source.resonance;
  cutoff = source.cutoff;
  frequency = source.frequency;
  damp = source.damp;
}

bool StateVariableFilter::stateIsFinite() const {
  return allFinite(input, state.low, state.high, state.band, state.notch);
}

void StateVariableFilter::clearState() {
  input = 0.0f;
  state = State{};
}
