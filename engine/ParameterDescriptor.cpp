#include "engine/ParameterDescriptor.h"

#include <cmath>
#include <cstdio>

#include "engine/PortableMath.h"

ParameterDescriptor::ParameterDescriptor(const char* name, const char* label, float initialValue)
    : nameText(name), labelText(label) {
  ParameterDescriptor::setNormalized(initialValue);
}

void ParameterDescriptor::setNormalized(float value) {
  storeNormalized(value);
  storePlain(value);
}

float ParameterDescriptor::normalizedValue() const { return loadNormalized(); }
float ParameterDescriptor::plainValue() const { return loadNormalized(); }

std::int32_t ParameterDescriptor::integerValue() const {
  return saturatedWholeNumber(std::floor(static_cast<double>(loadNormalized()) + 0.5));
}

float ParameterDescriptor::unitValue() const { return plainValue(); }
UnitRange ParameterDescriptor::unitRange() const { return {0.0f, 1.0f, ParameterScale::Linear}; }

float ParameterDescriptor::normalizedFor(float value) const {
  return std::isnan(value) ? value : std::clamp(value, 0.0f, 1.0f);
}

std::int32_t ParameterDescriptor::roundedPlain() const {
  return saturatedWholeNumber(std::floor(static_cast<double>(loadPlain()) + 0.5));
}

void ParameterDescriptor::formatDisplay(char* text) const {
  const double value = loadPlain();
  const double magnitude = std::fabs(value);
  const char* format = magnitude >= 1000000.0 ? "%g"
                       : magnitude >= 1000.0  ? "%.0f"
                       : magnitude >= 100.0   ? "%.1f"
                       : magnitude >= 10.0    ? "%.2f"
                                              : "%.3f";
  std::snprintf(text, kDisplaySize, format, value);
}

void ParameterDescriptor::formatShortDisplay(char* text) const {
  const double value = loadPlain();
  const double magnitude = std::fabs(value);
  if (magnitude >= 1000000.0) {
    std::snprintf(text, kDisplaySize, "!");
    return;
  }
  const char* format = magnitude >= 100.0 ? "%.0f" : magnitude >= 10.0 ? "%.1f" : "%.2f";
  std::snprintf(text, kDisplaySize, format, value);
}
