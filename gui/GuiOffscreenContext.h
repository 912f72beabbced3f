#pragma once
// A drawing context on an image of its own, copied to another context in one piece.
//
// Platform seam: portable header; gui/win32/GuiOffscreenContext.cpp (a memory
// device context with a compatible bitmap) and gui/x11/GuiOffscreenContext.cpp
// (a cairo image surface) define the operations and the struct Image.

#include <memory>

#include "gui/GuiDrawingContext.h"

class GuiOffscreenContext final : public GuiDrawingContext {
public:
  // A width x height image filled with the background colour, outline
  // included. The frame, if given, is the one whose window the image will be
  // copied to; Windows makes the image compatible with that window.
  GuiOffscreenContext(GuiFrame* frame, std::int32_t width, std::int32_t height, const GuiColour& fillColour);
  ~GuiOffscreenContext() override;

  // Copies width(r) x height(r) pixels from the source point of the image to
  // (r.left, r.top) of the destination, shifted by its drawOffset.
  void blitTo(GuiDrawingContext& destination, const GuiRect& r, const GuiPoint& source);

  std::int32_t width() const { return bitmapWidth; }
  std::int32_t height() const { return bitmapHeight; }
  const GuiColour& backgroundColour() const { return background; }

  // The back end's image, defined by the back end.
  struct Image;

private:
  std::int32_t bitmapHeight;
  std::int32_t bitmapWidth;
  GuiColour background;
  std::unique_ptr<Image> image;
};
