#pragma once
// A view that shows and edits one number: value, bounds, default, a tag for the
// listener, an optional background, and the input behaviours the knob and the
// slider share.

#include <atomic>
#include <cstdint>

#include "gui/GuiBitmapHandle.h"
#include "gui/GuiView.h"

class GuiBitmap;
class GuiControlListener;

class GuiControl : public GuiView {
public:
  // Retains the background.
  GuiControl(const GuiRect& initialSize, GuiControlListener* controlListener, std::int32_t controlTag,
             GuiBitmap* backgroundBitmap);

  void draw(GuiDrawingContext& context) override = 0;
  bool isDirty() const override;
  void setDirty(bool dirty) override;

  // Lets the editor keep the window painted and the host served during a drag.
  virtual void trackingIdle();
  // A value set from outside (the host, a program) is one the listener has
  // already: it is never told back.
  virtual void setValue(float newValue);
  virtual float getValue() const;
  virtual void setMinValue(float bound);
  virtual float getMinValue() const;
  virtual void setMaxValue(float bound);
  virtual float getMaxValue() const;
  virtual void setOldValue(float shown);
  virtual float getOldValue() const;
  virtual void setDefaultValue(float restored);
  virtual float getDefaultValue() const;
  virtual void setTag(std::int32_t newTag);
  virtual void setBackground(GuiBitmap* bitmap);
  virtual GuiBitmap* getBackground() const;
  virtual void setWheelIncrement(float step);
  virtual float getWheelIncrement() const;
  // The upper bound is tested first.
  virtual void clampValue();

  std::int32_t getTag() const { return tag; }

protected:
  // A change the user makes; the listener hears of it at the next notifyIfChanged.
  void changeValue(float newValue) { value.store(newValue, std::memory_order_relaxed); }
  // Tells the listener, if there is one and the value differs from the last
  // one it was told or set from outside, whatever the screen shows meanwhile.
  void notifyIfChanged(GuiDrawingContext* context);
  // A control-click (left button and control, nothing else): restores the
  // default and notifies. True when the press was one.
  bool defaultClick(GuiDrawingContext& context, std::int32_t buttons);
  bool wheelStep(GuiDrawingContext* context, float distance);
  std::int32_t arrowKeyStep(const GuiKeyStroke& key);
  // The frame went away under the control (its owner let go of it, or its
  // window is gone): nobody is told any more and a drag stops.
  bool isFrameClosed() const;
  // Announces the start of the edit to the host and takes the frame's focus.
  void beginDrag();
  void endDrag();

  GuiControlListener* listener;
  std::int32_t tag;
  // Written by whichever thread sets a parameter, read by the window's thread.
  std::atomic<float> oldValue{1.0f};
  float defaultValue = 0.5f;
  std::atomic<float> value{0.0f};
  std::atomic<float> toldValue{0.0f};
  float minValue = 0.0f;
  float maxValue = 1.0f;
  float wheelIncrement = 0.1f;
  GuiBitmapHandle background;
};
