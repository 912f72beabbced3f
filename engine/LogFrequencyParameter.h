#pragma once
// A frequency spread evenly in octaves between two positive bounds.

#include "engine/ParameterDescriptor.h"

class LogFrequencyParameter final : public ParameterDescriptor {
public:
  LogFrequencyParameter(const char* name, const char* label, float initialMinimum, float initialMaximum,
                        float defaultValue);

  void setNormalized(float value) override;
  float plainValue() const override;
  std::int32_t integerValue() const override;
  UnitRange unitRange() const override;
  float normalizedFor(float value) const override;
  void setRange(float newMinimum, float newMaximum);

private:
  static float frequencyAt(float value, float low, float high);

  std::atomic<float> minimum;
  std::atomic<float> maximum;
};
