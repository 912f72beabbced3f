// The UI library's one exported function and the descriptor it hands out.
// No exception leaves an entry: a host calls them as C.

#include <cstdint>
#include <cstring>

#include "lv2/Lv2Abi.h"
#include "lv2/Lv2PanelUi.h"
#include "lv2/Lv2Ports.h"

namespace {

Lv2PanelUi* panelOf(LV2UI_Handle handle) { return static_cast<Lv2PanelUi*>(handle); }

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) noexcept {
  if (pluginUri == nullptr || std::strcmp(pluginUri, lv2plugin::kPluginUri) != 0) return nullptr;
  try {
    return Lv2PanelUi::create(write, controller, widget, features);
  } catch (...) {
    return nullptr;
  }
}

void cleanup(LV2UI_Handle handle) noexcept {
  try {
    if (handle != nullptr) panelOf(handle)->cleanUp();
  } catch (...) {
  }
}

void portEvent(LV2UI_Handle handle, std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format,
               const void* buffer) noexcept {
  try {
    if (handle != nullptr) panelOf(handle)->portEvent(port, bufferSize, format, buffer);
  } catch (...) {
  }
}

int idle(LV2UI_Handle handle) noexcept {
  try {
    return handle == nullptr ? 1 : panelOf(handle)->idle();
  } catch (...) {
    return 0;
  }
}

constexpr LV2UI_Idle_Interface idleInterface{idle};

const void* extensionData(const char* uri) noexcept {
  if (uri != nullptr && std::strcmp(uri, lv2uri::kUiIdleInterface) == 0) return &idleInterface;
  return nullptr;
}

constexpr LV2UI_Descriptor descriptor{lv2plugin::kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

extern "C" __attribute__((visibility("default"))) const LV2UI_Descriptor* lv2ui_descriptor(std::uint32_t index) {
  return index == 0 ? &descriptor : nullptr;
}
