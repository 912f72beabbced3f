#include "gui/GuiControl.h"

#include "gui/GuiBitmap.h"
#include "gui/GuiControlListener.h"
#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrame.h"

namespace {
constexpr std::int32_t kDefaultClickButtons = MouseButtonLeft | ModifierControl;
constexpr float kFineStepFactor = 0.1f;
}  // namespace

GuiControl::GuiControl(const GuiRect& initialSize, GuiControlListener* controlListener, std::int32_t controlTag,
                       GuiBitmap* backgroundBitmap)
    : GuiView(initialSize), listener(controlListener), tag(controlTag), background(backgroundBitmap) {}

bool GuiControl::isDirty() const {
  return oldValue.load(std::memory_order_relaxed) != value.load(std::memory_order_relaxed) ||
         dirty.load(std::memory_order_relaxed);
}

void GuiControl::setDirty(bool flag) {
  dirty.store(flag, std::memory_order_relaxed);
  const float current = value.load(std::memory_order_relaxed);
  if (flag) {
    oldValue.store(current == -1.0f ? 0.0f : -1.0f, std::memory_order_relaxed);
  } else {
    oldValue.store(current, std::memory_order_relaxed);
  }
}

void GuiControl::trackingIdle() {
  if (frame) frame->pumpEditorIdle();
}

void GuiControl::setValue(float newValue) {
  value.store(newValue, std::memory_order_relaxed);
  toldValue.store(newValue, std::memory_order_relaxed);
}
float GuiControl::getValue() const { return value.load(std::memory_order_relaxed); }
void GuiControl::setMinValue(float bound) { minValue = bound; }
float GuiControl::getMinValue() const { return minValue; }
void GuiControl::setMaxValue(float bound) { maxValue = bound; }
float GuiControl::getMaxValue() const { return maxValue; }
void GuiControl::setOldValue(float shown) { oldValue.store(shown, std::memory_order_relaxed); }
float GuiControl::getOldValue() const { return oldValue.load(std::memory_order_relaxed); }
void GuiControl::setDefaultValue(float restored) { defaultValue = restored; }
float GuiControl::getDefaultValue() const { return defaultValue; }
void GuiControl::setTag(std::int32_t newTag) { tag = newTag; }

void GuiControl::setBackground(GuiBitmap* bitmap) { background = GuiBitmapHandle(bitmap); }
GuiBitmap* GuiControl::getBackground() const { return background.get(); }
void GuiControl::setWheelIncrement(float step) { wheelIncrement = step; }
float GuiControl::getWheelIncrement() const { return wheelIncrement; }

void GuiControl::clampValue() {
  const float current = value.load(std::memory_order_relaxed);
  if (current > maxValue) {
    value.store(maxValue, std::memory_order_relaxed);
  } else if (current < minValue) {
    value.store(minValue, std::memory_order_relaxed);
  }
}

void GuiControl::notifyIfChanged(GuiDrawingContext* context) {
  const float current = value.load(std::memory_order_relaxed);
  if (!listener || isFrameClosed() || current == toldValue.load(std::memory_order_relaxed)) return;
  toldValue.store(current, std::memory_order_relaxed);
  listener->valueChanged(context, *this);
}

bool GuiControl::defaultClick(GuiDrawingContext& context, std::int32_t buttons) {
  if (buttons != kDefaultClickButtons) return false;
  value.store(getDefaultValue(), std::memory_order_relaxed);
  notifyIfChanged(&context);
  return true;
}

bool GuiControl::wheelStep(GuiDrawingContext* context, float distance) {
  if (!isMouseEnabled()) return false;
  float step = distance * wheelIncrement;
  // Without a context the modifiers are read the same way, from the live key state.
  const std::int32_t buttons =
      context ? context->readMouseButtons() : GuiDrawingContext(nullptr, nullptr, nullptr).readMouseButtons();
  if (buttons & ModifierShift) step *= kFineStepFactor;
  value.store(value.load(std::memory_order_relaxed) + step, std::memory_order_relaxed);
  clampValue();
  notifyIfChanged(context);
  return true;
}

std::int32_t GuiControl::arrowKeyStep(const GuiKeyStroke& key) {
  float direction;
  switch (key.virtualKey) {
    case VirtualKeyLeft:
    case VirtualKeyDown: direction = -1.0f; break;
    case VirtualKeyUp:
    case VirtualKeyRight: direction = 1.0f; break;
    default: return -1;
  }
  float step = direction * wheelIncrement;
  if (key.modifiers & KeyModifierShift) step *= kFineStepFactor;
  value.store(value.load(std::memory_order_relaxed) + step, std::memory_order_relaxed);
  clampValue();
  notifyIfChanged(nullptr);
  return 1;
}

bool GuiControl::isFrameClosed() const { return frame && !frame->isOpen(); }

void GuiControl::beginDrag() {
  if (!frame) return;
  frame->beginParameterEdit(tag);
  frame->setFocusView(this);
}

void GuiControl::endDrag() {
  if (frame) frame->endParameterEdit(tag);
}
