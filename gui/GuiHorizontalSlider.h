#pragma once
// A slider whose track runs along x, whatever the style says.

#include "gui/GuiSlider.h"

class GuiHorizontalSlider final : public GuiSlider {
public:
  GuiHorizontalSlider(const GuiRect& size, GuiControlListener* listener, std::int32_t tag, std::int32_t minPos,
                      std::int32_t maxPos, GuiBitmap* handleBitmap, GuiBitmap* background,
                      const GuiPoint& backgroundSource, std::int32_t style)
      : GuiSlider(size, listener, tag, minPos, maxPos, handleBitmap, background, backgroundSource,
                  style | SliderHorizontal) {}
};
