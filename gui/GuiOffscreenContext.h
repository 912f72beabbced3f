#pragma once
// A drawing context on a bitmap of its own, copied to another context in one piece.

#include "gui/GuiDrawingContext.h"

class GuiOffscreenContext final : public GuiDrawingContext {
public:
  // The frame must have a window: the bitmap is made compatible with it.
  GuiOffscreenContext(GuiFrame* frame, std::int32_t width, std::int32_t height, const GuiColour& background);
  ~GuiOffscreenContext() override;

  void blitTo(GuiDrawingContext& destination, const GuiRect& r, const GuiPoint& source);

  std::int32_t width() const { return bitmapWidth; }
  std::int32_t height() const { return bitmapHeight; }
  const GuiColour& backgroundColour() const { return background; }

private:
  std::int32_t bitmapHeight;
  std::int32_t bitmapWidth;
  GuiColour background;
  HBITMAP bitmap = nullptr;
  HGDIOBJ displacedBitmap = nullptr;
};
