#pragma once
// The plug-in's panel: a fixed background with four knobs, seven sliders and a
// value display for each of the eleven parameters, wired both ways to the effect.

#include <array>
#include <memory>

#include "editor/ControlBinding.h"
#include "editor/ControlLayout.h"
#include "editor/GuiEditorBase.h"
#include "gui/GuiColour.h"
#include "gui/GuiControlListener.h"
#include "gui/GuiResourceSource.h"

class FilterSweepEffect;
class GuiBitmap;

inline constexpr GuiColour ColourDisplayBack{150, 165, 140, 0};

enum EditorBitmapId : std::int32_t {
  BackgroundBitmapId = 101,
  SliderBodyBitmapId = 102,
  SliderHandleBitmapId = 103,
  KnobBodyBitmapId = 104,
  KnobHandleBitmapId = 105,
};

class FilterSweepEditor final : public GuiEditorBase, public GuiControlListener {
public:
  // Attaches itself to the effect, which owns it from then on. The panel's
  // bitmaps come from the given source.
  FilterSweepEditor(FilterSweepEffect* effect, const GuiResourceSource& bitmaps);
  // Closes the window first if the host left it open.
  ~FilterSweepEditor() override;

  VstInt32 open(void* window) override;
  void close() override;
  // Safe from any thread: stores values and dirty flags, draws nothing.
  void parameterChanged(VstInt32 index, float value) override;
  void valueChanged(GuiDrawingContext* context, GuiControl& control) override;

  // The value displays' converter: the parameter's own short display text.
  static void displayText(float value, char* text, void* binding);

private:
  void addRow(std::size_t row, ControlBinding& binding);

  FilterSweepEffect* filterEffect;
  std::unique_ptr<std::array<ControlBinding, controlLayout.size()>> controlBindings;
  GuiBitmap* backgroundBitmap = nullptr;
  GuiBitmap* sliderBodyBitmap = nullptr;
  GuiBitmap* sliderHandleBitmap = nullptr;
  GuiBitmap* knobBodyBitmap = nullptr;
  GuiBitmap* knobHandleBitmap = nullptr;
};
