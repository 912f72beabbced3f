#pragma once
// A four-pole resonant low-pass of four one-pole stages with inverted
// feedback and a soft clip on the last stage.

#include <cmath>

class LadderFilter {
public:
  explicit LadderFilter(float sampleRate);

  void setSampleRate(float rate) { sampleRate = rate; }
  float currentSampleRate() const { return sampleRate; }
  void recomputeCoefficients(float cutoff, float resonance);
  // Several filters at once (at most four), each set up as recomputeCoefficients
  // sets it up, their exponentials evaluated side by side.
  static void recomputeCoefficients(LadderFilter* const* filters, const float* cutoffs, float resonance, int count);
  // What recomputeCoefficients worked out for `source`, at the same sample rate.
  void copyCoefficientsFrom(const LadderFilter& source);
  // The stages' state, apart from the coefficients so that a bank of filters
  // can run it in registers (FilterBank).
  struct State {
    float stageInput = 0.0f;
    float previousX = 0.0f;
    float y1 = 0.0f, y2 = 0.0f, y3 = 0.0f, y4 = 0.0f;
    float previousY1 = 0.0f, previousY2 = 0.0f, previousY3 = 0.0f;
  };
  // One sample through the four stages with inverted feedback; answers y4.
  static float step(State& s, float x, float p, float k, float r) {
    // Every product is formed before the sums: the order is part of the sound.
    x = x - r * s.y4;
    s.y1 = p * x + p * s.previousX - k * s.y1;
    s.previousX = x;
    s.y2 = p * s.y1 + p * s.previousY1 - k * s.y2;
    s.previousY1 = s.y1;
    s.y3 = p * s.y2 + p * s.previousY2 - k * s.y3;
    s.previousY2 = s.y2;
    s.y4 = p * s.y3 + p * s.previousY3 - k * s.y4;
    s.previousY3 = s.y3;
    s.y4 = softClip(s.y4);
    s.stageInput = x;
    return s.y4;
  }

  float processSample(float x) { return step(state, x, inputCoefficient, pole, feedback); }
  // y - 0.1 y^3. Below 1e-10 the cubic term is far under half a unit in the
  // last place of y, so leaving it out gives y exactly and spares the slow
  // denormal arithmetic of cubing a decaying signal. Selecting the operand
  // rather than the result keeps the clip free of branches.
  static float softClip(float y) {
    const float cubed = std::fabs(y) > 1.0e-10f ? y : 0.0f;
    return y - 0.1f * (cubed * cubed * cubed);
  }
  float poleCoefficient() const { return pole; }
  float inputGain() const { return inputCoefficient; }
  float feedbackGain() const { return feedback; }
  float resonanceScale() const { return scale; }
  bool stateIsFinite() const;
  void clearState();

private:
  friend class FilterBank;

  float sampleRate;
  float cutoff = 440.0f;
  float pole = 0.0f;
  float inputCoefficient = 0.0f;
  float feedback = 0.0f;
  float resonance = 0.5f;
  float scale = 0.0f;
  State state;
};
