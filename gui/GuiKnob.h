#pragma once
// A rotary control: a knob image with a pointer, a handle bitmap or a shadowed
// line, that turns with the value. Dragging follows the cursor's angle
// (circular) or its distance (linear), from the knob mode and the alt key.

#include "gui/GuiColour.h"
#include "gui/GuiControl.h"

class GuiKnob : public GuiControl {
public:
  // Retains the background and the handle bitmap, each if given.
  GuiKnob(const GuiRect& initialSize, GuiControlListener* controlListener, std::int32_t controlTag,
          GuiBitmap* backgroundBitmap, GuiBitmap* handleImage, const GuiPoint& backgroundOffset);

  void draw(GuiDrawingContext& context) override;
  void onMouseDown(GuiDrawingContext& context, const GuiPoint& where) override;
  std::int32_t onKeyDown(const GuiKeyStroke& key) override;
  bool onWheel(GuiDrawingContext* context, const GuiPoint& where, float distance) override;

  virtual void drawHandle(GuiDrawingContext& context);
  virtual void setStartAngle(float radians);
  virtual float getStartAngle() const;
  virtual void setRangeAngle(float radians);
  virtual float getRangeAngle() const;
  // The pointer's point for the current value, relative to the view's top-left corner.
  virtual void pointForValue(GuiPoint& p) const;
  virtual float valueForPoint(const GuiPoint& p) const;
  virtual void setHandleInset(std::int32_t pixels);
  virtual void setHandleShadowColour(const GuiColour& colour);
  virtual void setHandleColour(const GuiColour& colour);
  virtual void setHandleBitmap(GuiBitmap* bitmap);
  virtual void setFineFactor(float factor);
  virtual float getFineFactor() const;

  std::int32_t getHandleInset() const { return handleInset; }

private:
  void updateAngleCoefficients();
  bool linearModeFor(std::int32_t buttons) const;
  void trackCircular(GuiDrawingContext& context, GuiPoint where);
  void trackLinear(GuiDrawingContext& context, GuiPoint where, std::int32_t buttons);
  // The drag loop both modes share: `move` turns each new pointer position
  // (with the buttons held) into a value.
  template <typename Move>
  void trackDrag(GuiDrawingContext& context, GuiPoint where, Move move);

  GuiPoint backgroundSource;
  GuiColour handleColour = ColourWhite;
  GuiColour handleShadowColour = ColourGrey;
  GuiBitmapHandle handleBitmap;
  std::int32_t handleInset = 3;
  float startAngle = 0.0f;
  float rangeAngle = 1.0f;
  float halfGap = 0.0f;
  float valuePerRadian = 0.0f;
  float valueAtZero = 0.0f;
  float radius;
  float fineFactor = 1.5f;
};
