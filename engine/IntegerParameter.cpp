#include "engine/IntegerParameter.h"

#include <cmath>
#include <cstdio>

#include "engine/PortableMath.h"

IntegerParameter::IntegerParameter(const char* name, const char* label, std::int32_t initialMinimum,
                                   std::int32_t initialMaximum, std::int32_t defaultValue, bool showPlusSign)
    : ParameterDescriptor(name, label, 0.0f), showSign(showPlusSign), minimum(initialMinimum), maximum(initialMaximum) {
  setNormalized(static_cast<float>(defaultValue - initialMinimum) /
                static_cast<float>(initialMaximum - initialMinimum));
}

float IntegerParameter::unroundedAt(float share, std::int32_t low, std::int32_t high) {
  const float lowF = static_cast<float>(low);
  return lowF + (static_cast<float>(high) + 0.999f - lowF) * share;
}

void IntegerParameter::setNormalized(float value) {
  const std::int32_t low = minimum.load(std::memory_order_relaxed);
  const std::int32_t high = maximum.load(std::memory_order_relaxed);
  storeNormalized(value);
  const float unrounded = unroundedAt(value, low, high);
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
float IntegerParameter::unitValue() const { return static_cast<float>(integerValue()); }

UnitRange IntegerParameter::unitRange() const {
  return {static_cast<float>(minimum.load(std::memory_order_relaxed)),
          static_cast<float>(maximum.load(std::memory_order_relaxed)), ParameterScale::WholeNumber};
}

// The number's share starts where the default's does: (number - low) / (high - low).
// Numbers below zero round the other way; the plug-in's ranges lie above it.
float IntegerParameter::normalizedFor(float value) const {
  if (std::isnan(value)) return value;
  const std::int32_t low = minimum.load(std::memory_order_relaxed);
  const std::int32_t high = maximum.load(std::memory_order_relaxed);
  const std::int32_t number = wholeNumberWithin(std::floor(static_cast<double>(value) + 0.5), low, high);
  if (high == low) return 0.0f;
  return refinedNormalized(static_cast<float>(number - low) / static_cast<float>(high - low),
                           static_cast<float>(number), [low, high](float share) {
                             return static_cast<float>(wholeNumberWithin(unroundedAt(share, low, high), low, high));
                           });
}

void IntegerParameter::formatDisplay(char* text) const {
  std::snprintf(text, kDisplaySize, showSign ? "%+ld" : "%ld", static_cast<long>(integerValue()));
}

void IntegerParameter::formatShortDisplay(char* text) const { formatDisplay(text); }
