#pragma once
// The editor base over the toolkit: owns the frame while the window is open,
// hands keys and the wheel to it, keeps the knob mode and runs the idle pump
// that controls call while they track the mouse.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "editor/EditorBase.h"
#include "gui/GuiFrame.h"
#include "gui/GuiFrameOwner.h"
#include "gui/GuiRect.h"
#include "host/EffectBaseExt.h"

class GuiEditorBase : public EditorBase, public GuiFrameOwner {
public:
  // Milliseconds since some start, wrapping like GetTickCount.
  using TickSource = std::function<std::uint32_t()>;
  using Sleeper = std::function<void(std::uint32_t milliseconds)>;

  // The effect learns of the editor only when its maker attaches it, complete.
  explicit GuiEditorBase(EffectBaseExt* editedEffect);
  ~GuiEditorBase() override;

  VstInt32 reportRect(ERect** rect) override;
  VstInt32 open(void* window) override;
  void close() override;
  void idle() override;
  VstInt32 onKeyDown(const KeyStroke& key) override;
  VstInt32 onKeyUp(const KeyStroke& key) override;
  VstInt32 setKnobMode(VstInt32 mode) override;
  bool onWheel(float distance) override;

  void parameterChanged(VstInt32 index, float value) override;
  // Draws the whole frame on its window at once; the rectangle is not used.
  virtual void drawNow(const GuiRect* updateRect = nullptr);
  // Called on every turn of a control's mouse-tracking loop: runs the idle work
  // at most every 100 ms, sleeping 4 ms on the turns in between.
  void pumpIdle() override;
  // The host hears of the start and end of every drag.
  void beginParameterEdit(std::int32_t index) override;
  void endParameterEdit(std::int32_t index) override;
  std::int32_t readKnobMode() const override { return currentKnobMode(); }

  EffectBaseExt* hostEffect() const { return static_cast<EffectBaseExt*>(effect); }
  GuiFrame* editorFrame() const { return frame.get(); }
  // The knob mode last given by the host, shared by every editor of the module.
  static VstInt32 currentKnobMode() { return knobMode.load(std::memory_order_relaxed); }
  // Replaces the window system's clock and sleep in pumpIdle (tests); the pump is then due at once.
  void setIdleClock(TickSource ticks, Sleeper sleeper);

protected:
  // Lets go of the frame, then ends the edit the host saw begin, if a drag
  // was still running in it: the host closed the editor under the drag.
  void closeFrame();

  ERect editorRect{};
  GuiFrameHandle frame;
  std::uint32_t nextIdleTime;
  bool inHostIdle = false;

private:
  static constexpr std::int32_t kNoEdit = -1;

  static inline std::atomic<VstInt32> knobMode{0};
  // The parameter of the edit begun and not yet ended, or kNoEdit.
  std::int32_t editInProgress = kNoEdit;
  TickSource tickSource;
  Sleeper sleeper;
};
