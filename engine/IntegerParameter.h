#pragma once
// A whole number; each number owns an almost equal share of 0..1.

#include "engine/ParameterDescriptor.h"

class IntegerParameter final : public ParameterDescriptor {
public:
  IntegerParameter(const char* name, const char* label, std::int32_t initialMinimum, std::int32_t initialMaximum,
                   std::int32_t defaultValue, bool showPlusSign);

  void setNormalized(float value) override;
  void formatDisplay(char* text) const override;
  void formatShortDisplay(char* text) const override;
  float plainValue() const override;
  std::int32_t integerValue() const override;
  float unitValue() const override;
  UnitRange unitRange() const override;
  float normalizedFor(float value) const override;
  void setRange(std::int32_t newMinimum, std::int32_t newMaximum);

private:
  static float unroundedAt(float share, std::int32_t low, std::int32_t high);

  bool showSign;
  std::atomic<std::int32_t> minimum;
  std::atomic<std::int32_t> maximum;
  std::atomic<std::int32_t> current{0};
};
