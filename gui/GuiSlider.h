#pragma once
// A handle bitmap moving along a straight track over a background bitmap,
// composed offscreen and copied to the window in one piece. The value is the
// handle's position as a fraction of the track.

#include <cstdint>
#include <memory>

#include "gui/GuiControl.h"

class GuiOffscreenContext;

enum GuiSliderStyle : std::int32_t {
  SliderHorizontal = 1,
  SliderOriginLeft = 8,     // drawing: value 0 at the start of the track
  SliderOriginRight = 16,   // mouse: the value is mirrored
  SliderOriginTop = 32,     // drawing: value 0 at the start of the track
  SliderOriginBottom = 64,  // mouse: the value is mirrored
};

class GuiSlider : public GuiControl {
public:
  // trackStart and trackEnd are window coordinates along the track. Retains
  // the background and the handle bitmap, each if given.
  GuiSlider(const GuiRect& initialSize, GuiControlListener* controlListener, std::int32_t controlTag,
            std::int32_t trackStart, std::int32_t trackEnd, GuiBitmap* handleImage, GuiBitmap* backgroundBitmap,
            const GuiPoint& backgroundOffset, std::int32_t style);
  // Defined where GuiOffscreenContext is complete.
  ~GuiSlider() override;

  void draw(GuiDrawingContext& context) override;
  void onMouseDown(GuiDrawingContext& context, const GuiPoint& where) override;
  std::int32_t onKeyDown(const GuiKeyStroke& key) override;
  bool onWheel(GuiDrawingContext* context, const GuiPoint& where, float distance) override;
  bool onRemoved(GuiFrame* from) override;
  bool onAttached(GuiFrame* to) override;

  virtual void setTransparentHandle(bool on);
  virtual void setFreeClick(bool on);
  virtual bool getFreeClick() const;
  virtual void setHandleOrigin(const GuiPoint& origin);
  // The handle's limits stay those of the previous handle.
  virtual void setHandleBitmap(GuiBitmap* bitmap);
  virtual GuiBitmap* getHandleBitmap() const;
  virtual void setFineFactor(float factor);
  virtual float getFineFactor() const;

  std::int32_t getMinHandlePos() const { return minHandlePos; }
  std::int32_t getMaxHandlePos() const { return maxHandlePos; }
  bool hasOffscreen() const { return offscreen != nullptr; }

private:
  bool isHorizontal() const { return (sliderStyle & SliderHorizontal) != 0; }
  std::int32_t handleLength() const { return isHorizontal() ? handleWidth : handleHeight; }
  // The handle's offset along the track for the current value, as drawn.
  std::int32_t handleOffset() const;
  // Where along the track the value 0 lies for the press at where; false when
  // the press must hit the handle and misses it.
  bool trackBase(const GuiPoint& where, std::int32_t& base) const;
  void track(GuiDrawingContext& context, GuiPoint where, std::int32_t buttons, std::int32_t base);

  GuiPoint backgroundSource;
  GuiPoint handleOrigin;
  GuiBitmapHandle handleBitmap;
  std::unique_ptr<GuiOffscreenContext> offscreen;
  std::int32_t handleWidth = 1;
  std::int32_t handleHeight = 1;
  std::int32_t travel;
  std::int32_t sliderStyle;
  std::int32_t minHandlePos = 0;
  std::int32_t maxHandlePos = 0;
  std::int32_t minPos;
  std::int32_t viewWidth;
  std::int32_t viewHeight;
  float fineFactor = 10.0f;
  bool transparentHandle = true;
  bool freeClick = true;
};
