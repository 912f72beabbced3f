#include "engine/LogFrequencyParameter.h"

#include <algorithm>
#include <cmath>

#include "engine/PortableMath.h"

LogFrequencyParameter::LogFrequencyParameter(const char* name, const char* label, float initialMinimum,
                                             float initialMaximum, float defaultValue)
    : ParameterDescriptor(name, label, 0.0f), minimum(initialMinimum), maximum(initialMaximum) {
  const double range = portableLog(initialMaximum) - portableLog(initialMinimum);
  const double offset = portableLog(defaultValue) - portableLog(initialMinimum);
  // offset / range limited to 0..1, written without a comparison.
  setNormalized(static_cast<float>((std::fabs(offset) + range - std::fabs(offset - range)) / (2.0 * range)));
}

float LogFrequencyParameter::frequencyAt(float value, float low, float high) {
  const double logLow = portableLog(low);
  float frequency = static_cast<float>(portableExp(logLow + (portableLog(high) - logLow) * value));
  if (frequency < low) frequency = low;
  if (frequency > high) frequency = high;
  return frequency;
}

void LogFrequencyParameter::setNormalized(float value) {
  const float low = minimum.load(std::memory_order_relaxed);
  const float high = maximum.load(std::memory_order_relaxed);
  storeNormalized(value);
  storePlain(frequencyAt(value, low, high));
}

UnitRange LogFrequencyParameter::unitRange() const {
  return {minimum.load(std::memory_order_relaxed), maximum.load(std::memory_order_relaxed),
          ParameterScale::Logarithmic};
}

float LogFrequencyParameter::normalizedFor(float value) const {
  if (std::isnan(value)) return value;
  const float low = minimum.load(std::memory_order_relaxed);
  const float high = maximum.load(std::memory_order_relaxed);
  if (!(high > low)) return 0.0f;
  const float frequency = std::clamp(value, low, high);
  const double logLow = portableLog(low);
  const auto estimate = static_cast<float>((portableLog(frequency) - logLow) / (portableLog(high) - logLow));
  return refinedNormalized(estimate, frequency, [low, high](float share) { return frequencyAt(share, low, high); });
}

void LogFrequencyParameter::setRange(float newMinimum, float newMaximum) {
  minimum.store(newMinimum, std::memory_order_relaxed);
  maximum.store(newMaximum, std::memory_order_relaxed);
  setNormalized(loadNormalized());
}

float LogFrequencyParameter::plainValue() const { return loadPlain(); }
std::int32_t LogFrequencyParameter::integerValue() const { return roundedPlain(); }
