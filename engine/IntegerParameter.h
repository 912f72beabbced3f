#pragma once
// A whole number; each number owns an almost equal share of 0..1.

#include "engine/ParameterDescriptor.h"

class IntegerParameter final : public ParameterDescriptor {
public:
  IntegerParameter(const char* name, const char* label, VstInt32 minimum, VstInt32 maximum, VstInt32 defaultValue,
                   bool showSign);

  void setNormalized(float value) override;
  void formatDisplay(char* text) const override;
  void formatShortDisplay(char* text) const override;
  float plainValue() const override;
  VstInt32 integerValue() const override;
  void setRange(VstInt32 minimum, VstInt32 maximum);

private:
  bool showSign;
  std::atomic<VstInt32> minimum;
  std::atomic<VstInt32> maximum;
  std::atomic<VstInt32> current{0};
};
