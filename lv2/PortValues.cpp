#include "lv2/PortValues.h"

namespace lv2plugin {
float portValue(const ParameterDescriptor& parameter) { return parameter.unitValue(); }

float normalizedFromPort(const ParameterDescriptor& parameter, float value) { return parameter.normalizedFor(value); }
}  // namespace lv2plugin
