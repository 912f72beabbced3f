#pragma once
// A four-pole resonant low-pass of four one-pole stages with inverted
// feedback and a soft clip on the last stage.

class LadderFilter {
public:
  explicit LadderFilter(float sampleRate);

  void setSampleRate(float rate) { sampleRate = rate; }
  float currentSampleRate() const { return sampleRate; }
  void recomputeCoefficients(float cutoff, float resonance);
  float processSample(float x) {
    // Every product is formed before the sums: the order is part of the sound.
    x = x - feedback * y4;
    const float p = inputCoefficient;
    const float k = pole;
    y1 = p * x + p * previousX - k * y1;
    previousX = x;
    y2 = p * y1 + p * previousY1 - k * y2;
    previousY1 = y1;
    y3 = p * y2 + p * previousY2 - k * y3;
    previousY2 = y2;
    y4 = p * y3 + p * previousY3 - k * y4;
    previousY3 = y3;
    y4 = y4 - 0.1f * (y4 * y4 * y4);
    stageInput = x;
    return y4;
  }
  float poleCoefficient() const { return pole; }
  float inputGain() const { return inputCoefficient; }
  float feedbackGain() const { return feedback; }
  float resonanceScale() const { return scale; }
  bool stateIsFinite() const;
  void clearState();

private:
  float sampleRate;
  float cutoff = 440.0f;
  float pole = 0.0f;
  float inputCoefficient = 0.0f;
  float feedback = 0.0f;
  float resonance = 0.5f;
  float scale = 0.0f;
  float stageInput = 0.0f;
  float previousX = 0.0f;
  float y1 = 0.0f, y2 = 0.0f, y3 = 0.0f, y4 = 0.0f;
  float previousY1 = 0.0f, previousY2 = 0.0f, previousY3 = 0.0f;
};
