#include "editor/FilterSweepEditor.h"

#include <new>

#include "engine/FilterSweepEffect.h"
#include "gui/GuiBitmap.h"
#include "gui/GuiFrame.h"
#include "gui/GuiHorizontalSlider.h"
#include "gui/GuiKnob.h"
#include "gui/GuiValueDisplay.h"

namespace {
constexpr VstInt32 kLinearKnobMode = 2;
constexpr std::int32_t kTrackStartInset = 2;
constexpr std::int32_t kTrackEndInset = 8;
constexpr GuiPoint kSliderHandleOrigin{1, 3};
constexpr std::int32_t kDisplayHalfHeight = 6;
constexpr std::int32_t kDisplayStyle = 1;
constexpr std::int32_t kDisplayFont = 6;  // 9-pixel Arial

// A rectangle of the bitmap's size centred on (x, y), halves rounded toward zero.
GuiRect centredOn(std::int32_t x, std::int32_t y, const GuiBitmap& bitmap) {
  const std::int32_t left = x - bitmap.width() / 2;
  const std::int32_t top = y - bitmap.height() / 2;
  return {left, top, left + bitmap.width(), top + bitmap.height()};
}

// The editor keeps the reference each bitmap starts with.
GuiBitmapHandle loadBitmap(const GuiResourceSource& source, EditorBitmapId id) {
  return GuiBitmapHandle::adopt(new GuiBitmap(source, static_cast<std::int32_t>(id)));
}
}  // namespace

FilterSweepEditor::FilterSweepEditor(FilterSweepEffect* editedEffect, const GuiResourceSource& bitmaps)
    : GuiEditorBase(editedEffect), filterEffect(editedEffect) {
  setKnobMode(kLinearKnobMode);
  // Should any of this throw, the bitmaps loaded so far go with their handles.
  backgroundBitmap = loadBitmap(bitmaps, EditorBitmapId::BackgroundBitmapId);
  sliderBodyBitmap = loadBitmap(bitmaps, EditorBitmapId::SliderBodyBitmapId);
  sliderHandleBitmap = loadBitmap(bitmaps, EditorBitmapId::SliderHandleBitmapId);
  knobBodyBitmap = loadBitmap(bitmaps, EditorBitmapId::KnobBodyBitmapId);
  knobHandleBitmap = loadBitmap(bitmaps, EditorBitmapId::KnobHandleBitmapId);
  // A bitmap whose image could not be made is left empty: a panel without it
  // is broken, and the effect is better refused like any other part that
  // could not be built.
  for (const GuiBitmapHandle* bitmap :
       {&backgroundBitmap, &sliderBodyBitmap, &sliderHandleBitmap, &knobBodyBitmap, &knobHandleBitmap}) {
    if ((*bitmap)->width() <= 0 || (*bitmap)->height() <= 0) throw std::bad_alloc();
  }
  // The desktop is asked when the host first asks for the size.
  takeScale(GuiScale{});
}

void FilterSweepEditor::takeScale(const GuiScale& newScale) {
  scale = newScale;
  editorRect.top = 0;
  editorRect.left = 0;
  editorRect.bottom = static_cast<VstInt16>(scale.toDevice(backgroundBitmap->height()));
  editorRect.right = static_cast<VstInt16>(scale.toDevice(backgroundBitmap->width()));
}

VstInt32 FilterSweepEditor::reportRect(ERect** rect) {
  if (!frame) takeScale(choosePanelScale(scaleRequest, nullptr));
  return GuiEditorBase::reportRect(rect);
}

void FilterSweepEditor::setScaleFactor(float factor) {
  scaleRequest = {true, factor};
  const GuiScale newScale = choosePanelScale(scaleRequest, nullptr);
  if (newScale == scale) return;
  takeScale(newScale);
  if (!frame) return;
  // A control tracking the mouse holds on to the frame: rebuild after the drag.
  rebuildPending = true;
  if (!frame->isHandlingPress()) rebuildAtScale();
}

void FilterSweepEditor::rebuildAtScale() {
  rebuildPending = false;
  void* window = parentWindow;
  if (hostEffect()) hostEffect()->requestWindowSize(editorRect.right, editorRect.bottom);
  open(window);
}

FilterSweepEditor::~FilterSweepEditor() { close(); }

VstInt32 FilterSweepEditor::open(void* window) {
  // A second open without a close would leave the first window behind.
  close();
  GuiEditorBase::open(window);
  rebuildPending = false;
  const GuiScale reported = scale;
  takeScale(choosePanelScale(scaleRequest, window));
  // The host sized its window for the size it was told; ask it for the new one.
  if (scale != reported && hostEffect()) hostEffect()->requestWindowSize(editorRect.right, editorRect.bottom);
  try {
    if (buildPanel(window)) return 1;
  } catch (...) {
    // Out of memory part way: fall through to the same tidy refusal.
  }
  // No usable parent window, or a panel that could not be finished: whatever
  // was built (window, drop target, views) goes with the frame.
  close();
  return 0;
}

bool FilterSweepEditor::buildPanel(void* window) {
  frame.reset(new GuiFrame(GuiRect{0, 0, backgroundBitmap->width(), backgroundBitmap->height()}, window, this));
  if (frame->frameWindow() == nullptr) return false;
  frame->setBackground(backgroundBitmap.get());
  controlBindings = std::make_unique<std::array<ControlBinding, controlLayout.size()>>();
  for (std::size_t row = 0; row < controlLayout.size(); ++row) {
    if (!addRow(row, (*controlBindings)[row])) return false;
  }
  return true;
}

bool FilterSweepEditor::addToFrame(GuiView* view) {
  if (frame->addView(view)) return true;
  view->release();
  return false;
}

bool FilterSweepEditor::addRow(std::size_t row, ControlBinding& binding) {
  const ControlLayoutRow& layout = controlLayout[row];
  const auto tag = static_cast<std::int32_t>(row);
  binding.effect = filterEffect;
  binding.parameter = layout.parameter;
  const float value = filterEffect->parameterValue(layout.parameter);

  GuiControl* control;
  if (layout.kind == ControlKind::KindSlider) {
    const GuiRect r = centredOn(layout.controlX, layout.controlY, *sliderBodyBitmap);
    auto* slider = new GuiHorizontalSlider(r, this, tag, r.left + kTrackStartInset, r.right - kTrackEndInset,
                                           sliderHandleBitmap.get(), sliderBodyBitmap.get(), {0, 0}, SliderOriginLeft);
    slider->setHandleOrigin(kSliderHandleOrigin);
    control = slider;
  } else {
    const GuiRect r = centredOn(layout.controlX, layout.controlY, *knobBodyBitmap);
    control = new GuiKnob(r, this, tag, knobBodyBitmap.get(), knobHandleBitmap.get(), {0, 0});
  }
  control->setValue(value);
  control->setTransparent(true);
  if (!addToFrame(control)) return false;
  binding.control = control;
  shownValues[row] = value;

  const GuiRect displayRect{layout.displayX - layout.displayWidth / 2, layout.displayY - kDisplayHalfHeight,
                            layout.displayX + layout.displayWidth / 2, layout.displayY + kDisplayHalfHeight};
  auto* display = new GuiValueDisplay(displayRect, nullptr, kDisplayStyle);
  display->setTransparent(false);
  display->setDisplayFont(kDisplayFont);
  display->setFontColour(ColourBlack);
  display->setBackColour(ColourDisplayBack);
  display->setFrameColour(ColourBlack);
  display->setValue(value);
  display->setValueToTextWithData(&FilterSweepEditor::displayText, &binding);
  if (!addToFrame(display)) return false;
  binding.display = display;
  return true;
}

void FilterSweepEditor::close() {
  // The frame first: once closed, its views no longer read the bindings.
  closeFrame();
  controlBindings.reset();
}

void FilterSweepEditor::idle() {
  if (rebuildPending && frame && !frame->isHandlingPress()) rebuildAtScale();
  if (!inHostIdle) followParameters();
  GuiEditorBase::idle();
}

void FilterSweepEditor::parameterChanged(VstInt32 index, float value) {
  static_assert(controlLayout.size() <= 32, "one bit per parameter");
  if (index >= 0 && index < static_cast<VstInt32>(controlLayout.size()))
    writtenParameters.fetch_or(1u << index, std::memory_order_relaxed);
  GuiEditorBase::parameterChanged(index, value);
}

void FilterSweepEditor::followParameters() {
  if (!controlBindings) return;
  // Taken before the values are read: a write from now on marks its row for the next pass.
  const std::uint32_t written = writtenParameters.exchange(0, std::memory_order_relaxed);
  for (std::size_t row = 0; row < controlLayout.size(); ++row) {
    const std::int32_t parameter = controlLayout[row].parameter;
    const float value = filterEffect->parameterValue(parameter);
    const ControlBinding& binding = (*controlBindings)[row];
    if (value != shownValues[row]) {
      shownValues[row] = value;
      binding.control->setValue(value);
      binding.control->setDirty(true);
      binding.display->setValue(value);
    } else if ((written >> parameter & 1u) == 0) {
      continue;
    }
    binding.display->setDirty(true);
  }
}

void FilterSweepEditor::valueChanged(GuiDrawingContext* context, GuiControl& control) {
  // The host may close the editor or the effect in its answer to the automation.
  const EffectBase::Hold hold(effect);
  filterEffect->automateParameter(control.getTag(), control.getValue());
  if (context && frame && control.attachedFrame() == frame.get()) control.redrawIfDirty(*context);
}

void FilterSweepEditor::displayText(float, char* text, void* binding) {
  const auto* bound = static_cast<const ControlBinding*>(binding);
  bound->effect->copyParameterShortDisplay(bound->parameter, text);
}
