#pragma once
// A two-pole state-variable filter run twice per sample, giving low-pass,
// high-pass, band-pass and notch outputs at once.

class StateVariableFilter {
public:
  explicit StateVariableFilter(float sampleRate);

  void setSampleRate(float rate) { sampleRate = rate; }
  float currentSampleRate() const { return sampleRate; }
  void recomputeCoefficients(float cutoff, float resonance);
  // What recomputeCoefficients worked out for `source`, at the same sample rate.
  void copyCoefficientsFrom(const StateVariableFilter& source);
  // The recursion's state, apart from the coefficients so that a bank of
  // filters can run it in registers (FilterBank).
  struct State {
    float low = 0.0f;
    float high = 0.0f;
    float band = 0.0f;
    float notch = 0.0f;
  };
  // One pass of the recursion; a sample takes two with the same input.
  static void pass(State& s, float x, float frequency, float damp) {
    s.low = s.low + frequency * s.band;
    s.notch = x - damp * s.band;
    s.high = s.notch - s.low;
    s.band = s.band + frequency * s.high;
  }

  // Runs the filter on one sample; the outputs are read afterwards.
  void processSample(float x) {
    input = x;
    pass(state, x, frequency, damp);
    pass(state, x, frequency, damp);
  }
  float inputOutput() const { return input; }
  float lowOutput() const { return state.low; }
  float highOutput() const { return state.high; }
  float bandOutput() const { return state.band; }
  float notchOutput() const { return state.notch; }
  float frequencyCoefficient() const { return frequency; }
  float damping() const { return damp; }
  bool stateIsFinite() const;
  void clearState();

private:
  friend class FilterBank;

  float sampleRate;
  float input = 0.0f;
  State state;
  float resonance = 0.5f;
  float cutoff = 440.0f;
  float frequency = 0.0f;
  float damp = 0.0f;
};
