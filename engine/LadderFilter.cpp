#include "engine/LadderFilter.h"

#include <cmath>

#include "engine/AllFinite.h"
#include "engine/PortableMath.h"

LadderFilter::LadderFilter(float rate) : sampleRate(rate) { recomputeCoefficients(440.0f, 0.5f); }

void LadderFilter::recomputeCoefficients(float newCutoff, float newResonance) {
  LadderFilter* self = this;
  recomputeCoefficients(&self, &newCutoff, newResonance, 1);
}

void LadderFilter::recomputeCoefficients(LadderFilter* const* filters, const float* cutoffs, float resonance,
                                         int count) {
  double effectiveResonance[kExpBatch] = {}, exponent[kExpBatch] = {}, compensation[kExpBatch] = {};
  for (int i = 0; i < count; ++i) {
    LadderFilter& filter = *filters[i];
    filter.cutoff = cutoffs[i];
    filter.resonance = resonance;
    const float cutoff = filter.cutoff;
    // Above 4000 Hz the resonance is held back so that the loop stays stable.
    effectiveResonance[i] =
        static_cast<double>(resonance) * cutoff > 4000.0 ? 4000.0 / cutoff : static_cast<double>(resonance);
    const double g = 2.0 * cutoff / filter.sampleRate;
    const double k = 3.6 * g - 1.6 * g * g - 1.0;
    const double p = (k + 1.0) * 0.5;
    exponent[i] = (1.0 - p) * 1.386249;
    filter.pole = static_cast<float>(k);
    filter.inputCoefficient = static_cast<float>(p);
  }
  portableExpOfEach(exponent, compensation, count);
  for (int i = 0; i < count; ++i) {
    filters[i]->scale = static_cast<float>(compensation[i]);
    filters[i]->feedback = static_cast<float>(effectiveResonance[i] * compensation[i]);
  }
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
  return allFinite(s.stageInput, s.previousX, s.y1, s.y2, s.y3, s.y4, s.previousY1, s.previousY2, s.previousY3);
}

void LadderFilter::clearState() { state = State{}; }
