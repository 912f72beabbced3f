#include "engine/IntegerParameter.h"

#include <cstdio>

#include "engine/PortableMath.h"

IntegerParameter::IntegerParameter(const char* name, const char* label, std::int32_t initialMinimum,
                                   std::int32_t initialMaximum, std::int32_t defaultValue, bool showPlusSign)
    : ParameterDescriptor(name, label, 0.0f), showSign(showPlusSign), minimum(initialMinimum), maximum(initialMaximum) {
  setNormalized(static_cast<float>(defaultValue - initialMinimum) /
                static_cast<float>(initialMaximum - initialMinimum));
}

void IntegerParameter::setNormalized(float value) {
  const std::int32_t low = minimum.load(std::memory_order_relaxed);
  const std::int32_t high = maximum.load(std::memory_order_relaxed);
  storeNormalized(value);
  const float lowF = static_cast<float>(low);
  const float unrounded = lowF + (static_cast<float>(high) + 0.999f - lowF) * value;
  storePlain(unrounded);
  // Converted with saturation: any finite or infinite value lands in the range.
  current.store(wholeNumberWithin(unrounded, low, high), std::memory_order_relaxed);
}

void IntegerParameter::setRange(std::int32_t newMinimum, std::int32_t newMaximum) {
  minimum.store(newMinimum, std::memory_order_relaxed);
  maximum.store(newMaximum, std::memory_order_relaxed);
  setNormalized(loadNormalized());
}

float IntegerParameter::plainValue() const { return loadPlain(); }
std::int32_t IntegerParameter::integerValue() const { return current.load(std::memory_order_relaxed); }

void IntegerParameter::formatDisplay(char* text) const {
  std::snprintf(text, kDisplaySize, showSign ? "%+ld" : "%ld", static_cast<long>(integerValue()));
}

void IntegerParameter::formatShortDisplay(char* text) const { formatDisplay(text); }
