#pragma once
// A parameter port carries the parameter in the unit the panel shows (hertz,
// beats per minute, a count, an item's index); the engine takes normalised
// values. Both of the plug-in's libraries convert through here, so a port
// value sets the engine as the VST 2 parameter would be set.

#include "engine/ParameterDescriptor.h"

namespace lv2plugin {
// The port value of the parameter's current setting.
float portValue(const ParameterDescriptor& parameter);
// The normalised value that gives the port value back, held to the port's
// range; NaN for NaN, which the caller ignores.
float normalizedFromPort(const ParameterDescriptor& parameter, float value);
}  // namespace lv2plugin
