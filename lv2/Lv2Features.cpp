#include "lv2/Lv2Features.h"

#include <cstring>

namespace lv2plugin {

const void* featureData(const LV2_Feature* const* features, const char* uri) {
  if (features == nullptr) return nullptr;
  for (const LV2_Feature* const* feature = features; *feature != nullptr; ++feature)
    if ((*feature)->URI != nullptr && std::strcmp((*feature)->URI, uri) == 0) return (*feature)->data;
  return nullptr;
}

bool readOption(const LV2_Feature* const* features, const char* key, const char* type, void* value,
                std::uint32_t size) {
  const auto* map = static_cast<const LV2_URID_Map*>(featureData(features, lv2uri::kUridMap));
  const auto* option = static_cast<const LV2_Options_Option*>(featureData(features, lv2uri::kOptions));
  if (map == nullptr || map->map == nullptr || option == nullptr) return false;
  const LV2_URID keyId = map->map(map->handle, key);
  const LV2_URID typeId = map->map(map->handle, type);
  for (; option->key != 0 || option->value != nullptr; ++option) {
    if (option->key != keyId || option->type != typeId || option->size != size || option->value == nullptr) continue;
    std::memcpy(value, option->value, size);
    return true;
  }
  return false;
}

}  // namespace lv2plugin
