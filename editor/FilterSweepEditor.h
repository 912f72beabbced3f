#pragma once
// The plug-in's panel: a fixed background with four knobs, seven sliders and a
// value display for each of the eleven parameters, wired both ways to the effect.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "editor/ControlBinding.h"
#include "editor/ControlLayout.h"
#include "editor/GuiEditorBase.h"
#include "editor/PanelScale.h"
#include "gui/GuiBitmapHandle.h"
#include "gui/GuiColour.h"
#include "gui/GuiControlListener.h"
#include "gui/GuiResourceSource.h"

class FilterSweepEffect;

inline constexpr GuiColour ColourDisplayBack{150, 165, 140, 0};

enum class EditorBitmapId : std::int32_t {
  BackgroundBitmapId = 101,
  SliderBodyBitmapId = 102,
  SliderHandleBitmapId = 103,
  KnobBodyBitmapId = 104,
  KnobHandleBitmapId = 105,
};

class FilterSweepEditor final : public GuiEditorBase, public GuiControlListener {
public:
  // Loads the panel's bitmaps from the given source; throws std::bad_alloc,
  // leaving nothing behind, when memory runs out or a bitmap stays empty.
  FilterSweepEditor(FilterSweepEffect* editedEffect, const GuiResourceSource& bitmaps);
  // Closes the window first if the host left it open.
  ~FilterSweepEditor() override;

  // The panel's size at the scale it will open at (the desktop's may change until then).
  VstInt32 reportRect(ERect** rect) override;
  // Answers 0, with nothing left behind, when the panel cannot be built.
  VstInt32 open(void* window) override;
  void close() override;
  // The host's factor wins over any other from now on; an open panel is
  // rebuilt at the new size, which the host is asked for, at once or, during
  // a drag, at the next idle pass after it.
  void setScaleFactor(float factor) override;
  GuiScale frameScale() const override { return scale; }
  // Moves the parameters' current values into the controls and displays
  // whose parameter changed, then redraws what is dirty. A parameter write
  // from another thread (which only requests an update) never reaches the
  // views: it shows here, at the window thread's next idle pass.
  void idle() override;
  // Notes which parameter was written, from whatever thread, then asks for an update.
  void parameterChanged(VstInt32 index, float value) override;
  void valueChanged(GuiDrawingContext* context, GuiControl& control) override;

  // The value displays' converter: the parameter's own short display text.
  static void displayText(float value, char* text, void* binding);

private:
  bool buildPanel(void* window);
  // Takes the scale and answers the panel's size at it from then on.
  void takeScale(const GuiScale& newScale);
  void rebuildAtScale();
  bool addRow(std::size_t row, ControlBinding& binding);
  // The frame owns the view from here on, or it is released: false then.
  bool addToFrame(GuiView* view);
  void followParameters();

  FilterSweepEffect* filterEffect;
  std::unique_ptr<std::array<ControlBinding, controlLayout.size()>> controlBindings;
  // What each row shows; read and written on the window thread only.
  std::array<float, controlLayout.size()> shownValues{};
  // One bit per parameter written since the window thread last took them: a
  // display draws its parameter's text as it is then, which a write landing
  // between the idle pass's reading and the drawing makes stale even when the
  // value returns to the one read.
  std::atomic<std::uint32_t> writtenParameters{0};
  GuiBitmapHandle backgroundBitmap;
  GuiBitmapHandle sliderBodyBitmap;
  GuiBitmapHandle sliderHandleBitmap;
  GuiBitmapHandle knobBodyBitmap;
  GuiBitmapHandle knobHandleBitmap;
  PanelScaleRequest scaleRequest;
  GuiScale scale;
  bool rebuildPending = false;
};
