#pragma once
// A frequency spread evenly in octaves between two positive bounds.

#include "engine/ParameterDescriptor.h"

class LogFrequencyParameter final : public ParameterDescriptor {
public:
  LogFrequencyParameter(const char* name, const char* label, float minimum, float maximum, float defaultValue);

  void setNormalized(float value) override;
  float plainValue() const override;
  std::int32_t integerValue() const override;
  void setRange(float minimum, float maximum);

private:
  std::atomic<float> minimum;
  std::atomic<float> maximum;
};
