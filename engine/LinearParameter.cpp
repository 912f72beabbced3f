#include "engine/LinearParameter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

LinearParameter::LinearParameter(const char* name, const char* label, float initialMinimum, float initialMaximum,
                                 float defaultValue, bool showPlusSign)
    : ParameterDescriptor(name, label, 0.0f), showSign(showPlusSign), minimum(initialMinimum), maximum(initialMaximum) {
  setNormalized((defaultValue - initialMinimum) / (initialMaximum - initialMinimum));
}

void LinearParameter::setNormalized(float value) {
  const float low = minimum.load(std::memory_order_relaxed);
  const float high = maximum.load(std::memory_order_relaxed);
  storeNormalized(value);
  storePlain(valueAt(value, low, high));
}

UnitRange LinearParameter::unitRange() const {
  return {minimum.load(std::memory_order_relaxed), maximum.load(std::memory_order_relaxed), ParameterScale::Linear};
}

float LinearParameter::normalizedFor(float value) const {
  if (std::isnan(value)) return value;
  const float low = minimum.load(std::memory_order_relaxed);
  const float high = maximum.load(std::memory_order_relaxed);
  if (!(high > low)) return 0.0f;
  const float target = std::clamp(value, low, high);
  return refinedNormalized((target - low) / (high - low), target,
                           [low, high](float share) { return valueAt(share, low, high); });
}

void LinearParameter::setRange(float newMinimum, float newMaximum) {
  minimum.store(newMinimum, std::memory_order_relaxed);
  maximum.store(newMaximum, std::memory_order_relaxed);
  setNormalized(loadNormalized());
}

float LinearParameter::plainValue() const { return loadPlain(); }
std::int32_t LinearParameter::integerValue() const { return roundedPlain(); }
void LinearParameter::formatDisplay(char* text) const { format(text, false); }
void LinearParameter::formatShortDisplay(char* text) const { format(text, true); }

// The format is built per call: a percent, an optional plus, then the conversion.
void LinearParameter::format(char* text, bool shortForm) const {
  const double value = loadPlain();
  const double magnitude = std::fabs(value);
  if (shortForm && magnitude >= 100000.0) {
    std::snprintf(text, kDisplaySize, "!");
    return;
  }
  char pattern[8];
  int length = 0;
  pattern[length++] = '%';
  if (showSign) pattern[length++] = '+';
  if (magnitude >= 100000.0) {
    pattern[length++] = 'g';
  } else {
    const char digits = shortForm ? (magnitude >= 100.0  ? '0'
                                     : magnitude >= 10.0 ? '1'
                                                         : '2')
                                  : (magnitude >= 1000.0  ? '0'
                                     : magnitude >= 100.0 ? '1'
                                     : magnitude >= 10.0  ? '2'
                                                          : '3');
    pattern[length++] = '.';
    pattern[length++] = digits;
    pattern[length++] = 'f';
  }
  pattern[length] = '\0';
  std::snprintf(text, kDisplaySize, pattern, value);
}
