#pragma once
// What a host hands the plug-in's two libraries at instantiation: features
// by URI, and options by key.

#include <cstdint>

#include "lv2/Lv2Abi.h"

namespace lv2plugin {
// The data of the feature with this URI, null when the host gives none.
const void* featureData(const LV2_Feature* const* features, const char* uri);
// Copies the option with this key into value when the host gives it with this
// type and value's size; the keys are mapped with the host's urid:map.
bool readOption(const LV2_Feature* const* features, const char* key, const char* type, void* value, std::uint32_t size);
}  // namespace lv2plugin
