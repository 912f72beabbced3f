#include "engine/LadderFilter.h"

#include <cmath>

#include "engine/PortableMath.h"

LadderFilter::LadderFilter(float rate) : sampleRate(rate) { recomputeCoefficients(440.0f, 0.5f); }

void LadderFilter::recomputeCoefficients(float newCutoff, float newResonance) {
  cutoff = newCutoff;
  resonance = newResonance;
  // Above 4000 Hz the resonance is held back so that the loop stays stable.
  const double effectiveResonance =
      static_cast<double>(resonance) * cutoff > 4000.0 ? 4000.0 / cutoff : static_cast<double>(resonance);
  const double g = 2.0 * cutoff / sampleRate;
  const double k = 3.6 * g - 1.6 * g * g - 1.0;
  const double p = (k + 1.0) * 0.5;
  const double compensation = portableExp((1.0 - p) * 1.386249);
  pole = static_cast<float>(k);
  inputCoefficient = static_cast<float>(p);
  scale = static_cast<float>(compensation);
  feedback = static_cast<float>(effectiveResonance * compensation);
}

void LadderFilter::copyCoefficientsFrom(const LadderFilter& source) {
  cutoff = source.cutoff;
  resonance = source.resonance;
  pole = source.pole;
  inputCoefficient = source.inputCoefficient;
  scale = source.scale;
  feedback = source.feedback;
}

bool LadderFilter::stateIsFinite() const {
  const State& s = state;
  return std::isfinite(s.stageInput) && std::isfinite(s.previousX) && std::isfinite(s.y1) && std::isfinite(s.y2) &&
         std::isfinite(s.y3) && std::isfinite(s.y4) && std::isfinite(s.previousY1) && std::isfinite(s.previousY2) &&
         std::isfinite(s.previousY3);
}

void LadderFilter::clearState() { state = State{}; }
