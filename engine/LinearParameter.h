#pragma once
// A parameter spread linearly over its range; the range is not enforced.

#include "engine/ParameterDescriptor.h"

class LinearParameter final : public ParameterDescriptor {
public:
  LinearParameter(const char* name, const char* label, float initialMinimum, float initialMaximum, float defaultValue,
                  bool showPlusSign);

  void setNormalized(float value) override;
  void formatDisplay(char* text) const override;
  void formatShortDisplay(char* text) const override;
  float plainValue() const override;
  std::int32_t integerValue() const override;
  UnitRange unitRange() const override;
  float normalizedFor(float value) const override;
  void setRange(float newMinimum, float newMaximum);

private:
  static float valueAt(float share, float low, float high) { return low + (high - low) * share; }
  void format(char* text, bool shortForm) const;

  bool showSign;
  std::atomic<float> minimum;
  std::atomic<float> maximum;
};
