#pragma once
// A slider whose track runs along x, whatever the style says.

#include "gui/GuiSlider.h"

class GuiHorizontalSlider final : public GuiSlider {
public:
  GuiHorizontalSlider(const GuiRect& initialSize, GuiControlListener* controlListener, std::int32_t controlTag,
                      std::int32_t trackStart, std::int32_t trackEnd, GuiBitmap* handleImage,
                      GuiBitmap* backgroundBitmap, const GuiPoint& backgroundOffset, std::int32_t style)
      : GuiSlider(initialSize, controlListener, controlTag, trackStart, trackEnd, handleImage, backgroundBitmap,
                  backgroundOffset, style | SliderHorizontal) {}
};
