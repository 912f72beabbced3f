#include "lv2/Lv2PanelUi.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "editor/GuiEditorBase.h"
#include "engine/FilterSweepEffect.h"
#include "host/PluginMain.h"
#include "lv2/Lv2Features.h"
#include "lv2/Lv2Ports.h"

namespace {
// What the panel's effect hears when it asks the host for its version.
constexpr VstIntPtr kHostVersion = 2400;
constexpr std::uint32_t kFloatProtocol = 0;

FilterSweepEffect& effectOf(AEffect* record) {
  return *static_cast<FilterSweepEffect*>(EffectBase::fromRecord(record));
}

// The host's ui:scaleFactor option, 0 when it gives none.
float scaleFactorOption(const LV2_Feature* const* features) {
  float factor = 0.0f;
  return lv2plugin::readOption(features, lv2uri::kUiScaleFactor, lv2uri::kAtomFloat, &factor, sizeof factor) ? factor
                                                                                                             : 0.0f;
}
}  // namespace

Lv2PanelUi::Call::Call(Lv2PanelUi& called) : ui(called) { ++ui.callsRunning; }

Lv2PanelUi::Call::~Call() {
  if (--ui.callsRunning == 0 && ui.cleanedUp) delete &ui;
}

Lv2PanelUi::Lv2PanelUi(LV2UI_Write_Function write, LV2UI_Controller controller, const HostFeatures& features)
    : writePort(write), portController(controller), host(features) {}

Lv2PanelUi::HostFeatures Lv2PanelUi::readFeatures(const LV2_Feature* const* features) {
  HostFeatures found;
  found.parent = const_cast<void*>(lv2plugin::featureData(features, lv2uri::kUiParent));
  found.resize = static_cast<const LV2UI_Resize*>(lv2plugin::featureData(features, lv2uri::kUiResize));
  found.touch = static_cast<const LV2UI_Touch*>(lv2plugin::featureData(features, lv2uri::kUiTouch));
  if (found.resize != nullptr && found.resize->ui_resize == nullptr) found.resize = nullptr;
  if (found.touch != nullptr && found.touch->touch == nullptr) found.touch = nullptr;
  found.scaleFactor = scaleFactorOption(features);
  return found;
}

Lv2PanelUi* Lv2PanelUi::create(LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                               const LV2_Feature* const* features) {
  const HostFeatures found = readFeatures(features);
  if (write == nullptr || widget == nullptr || found.parent == nullptr) return nullptr;
  auto* ui = new (std::nothrow) Lv2PanelUi(write, controller, found);
  if (ui == nullptr) return nullptr;
  if (ui->openPanel(widget)) return ui;
  ui->closeEffect();
  delete ui;
  return nullptr;
}

bool Lv2PanelUi::openPanel(LV2UI_Widget* widget) {
  effect = openPluginInstance(hostCallback, createPluginEffect);
  if (effect == nullptr) return false;
  effect->user = this;
  dispatch(effOpen);
  // The factor sizes the panel, so it comes before the size is asked for.
  if (host.scaleFactor > 0.0f)
    dispatch(effVendorSpecific, kContentScaleIndex, kContentScaleValue, nullptr, host.scaleFactor);
  ERect* rect = nullptr;
  dispatch(effEditGetRect, 0, 0, &rect);
  if (rect == nullptr || dispatch(effEditOpen, 0, 0, host.parent) != 1) return false;
  auto* editor = static_cast<GuiEditorBase*>(effectOf(effect).attachedEditor());
  *widget = editor->editorFrame()->frameWindow();
  // The size the panel opened at (the host's factor, or the desktop's).
  dispatch(effEditGetRect, 0, 0, &rect);
  if (host.resize != nullptr && rect != nullptr)
    host.resize->ui_resize(host.resize->handle, rect->right - rect->left, rect->bottom - rect->top);
  return true;
}

void Lv2PanelUi::cleanUp() {
  // From here on nothing the panel does reaches the host, which is letting go of its side.
  cleanedUp = true;
  closeEffect();
  if (callsRunning == 0) delete this;
}

void Lv2PanelUi::closeEffect() {
  if (effect == nullptr) return;
  dispatch(effEditClose);
  // Deleted now, or, when this comes from inside one of the effect's calls to
  // us, once that call has unwound: out of our hands either way.
  dispatch(effClose);
  effect = nullptr;
}

void Lv2PanelUi::portEvent(std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format, const void* buffer) {
  if (effect == nullptr || !lv2plugin::isParameterPort(port) || format != kFloatProtocol ||
      bufferSize != sizeof(float) || buffer == nullptr)
    return;
  float value = 0.0f;
  std::memcpy(&value, buffer, sizeof value);
  const auto index = static_cast<VstInt32>(port);
  const ParameterDescriptor* parameter = effectOf(effect).parameterObject(index);
  // The host echoes the panel's own writes: a value the panel holds already
  // must not come back through the conversion and move it by a rounding.
  if (parameter == nullptr || value == parameter->unitValue()) return;
  const float normalized = parameter->normalizedFor(value);
  if (std::isnan(normalized)) return;
  effect->setParameter(effect, index, normalized);
}

int Lv2PanelUi::idle() {
  if (effect == nullptr) return 1;
  const Call call(*this);
  dispatch(effEditIdle);
  return cleanedUp ? 1 : 0;
}

VstIntPtr Lv2PanelUi::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return effect == nullptr ? 0 : effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

VstIntPtr VST_CALLBACK Lv2PanelUi::hostCallback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                void*, float opt) {
  if (opcode == audioMasterVersion) return kHostVersion;
  auto* ui = record == nullptr ? nullptr : static_cast<Lv2PanelUi*>(record->user);
  if (ui == nullptr || ui->cleanedUp) return 0;
  return ui->answerEffect(opcode, index, value, opt);
}

VstIntPtr Lv2PanelUi::answerEffect(VstInt32 opcode, VstInt32 index, VstIntPtr value, float) {
  const auto port = static_cast<std::uint32_t>(index);
  switch (opcode) {
    case audioMasterAutomate: {
      const ParameterDescriptor* parameter = effect ? effectOf(effect).parameterObject(index) : nullptr;
      if (!lv2plugin::isParameterPort(port) || parameter == nullptr) return 0;
      // The effect holds the value already: the port gets it in the port's unit.
      const float portValue = parameter->unitValue();
      writePort(portController, port, sizeof portValue, kFloatProtocol, &portValue);
      return 0;
    }
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
      if (host.touch == nullptr || !lv2plugin::isParameterPort(port)) return 0;
      host.touch->touch(host.touch->handle, port, opcode == audioMasterBeginEdit);
      return 1;
    case audioMasterSizeWindow:
      if (host.resize == nullptr) return 0;
      return host.resize->ui_resize(host.resize->handle, index, static_cast<int>(value)) == 0 ? 1 : 0;
    default: return 0;
  }
}
