#pragma once
// A two-pole state-variable filter run twice per sample, giving low-pass,
// high-pass, band-pass and notch outputs at once.

class StateVariableFilter {
public:
  explicit StateVariableFilter(float sampleRate);

  void setSampleRate(float rate) { sampleRate = rate; }
  float currentSampleRate() const { return sampleRate; }
  void recomputeCoefficients(float cutoff, float resonance);
  // Runs the filter on one sample; the outputs are read afterwards.
  void processSample(float x) {
    input = x;
    pass(x);
    pass(x);
  }
  float inputOutput() const { return input; }
  float lowOutput() const { return low; }
  float highOutput() const { return high; }
  float bandOutput() const { return band; }
  float notchOutput() const { return notch; }
  float frequencyCoefficient() const { return frequency; }
  float damping() const { return damp; }
  bool stateIsFinite() const;
  void clearState();

private:
  void pass(float x) {
    low = low + frequency * band;
    notch = x - damp * band;
    high = notch - low;
    band = band + frequency * high;
  }

  float sampleRate;
  float input = 0.0f;
  float low = 0.0f;
  float high = 0.0f;
  float band = 0.0f;
  float notch = 0.0f;
  float resonance = 0.5f;
  float cutoff = 440.0f;
  float frequency = 0.0f;
  float damp = 0.0f;
};
