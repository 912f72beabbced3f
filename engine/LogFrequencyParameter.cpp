#include "engine/LogFrequencyParameter.h"

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

void LogFrequencyParameter::setNormalized(float value) {
  const float low = minimum.load(std::memory_order_relaxed);
  const float high = maximum.load(std::memory_order_relaxed);
  storeNormalized(value);
  const double logLow = portableLog(low);
  float frequency = static_cast<float>(portableExp(logLow + (portableLog(high) - logLow) * value));
  if (frequency < low) frequency = low;
  if (frequency > high) frequency = high;
  storePlain(frequency);
}

void LogFrequencyParameter::setRange(float newMinimum, float newMaximum) {
  minimum.store(newMinimum, std::memory_order_relaxed);
  maximum.store(newMaximum, std::memory_order_relaxed);
  setNormalized(loadNormalized());
}

float LogFrequencyParameter::plainValue() const { return loadPlain(); }
std::int32_t LogFrequencyParameter::integerValue() const { return roundedPlain(); }
