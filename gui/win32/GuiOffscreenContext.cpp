#include "gui/GuiOffscreenContext.h"

#include <windows.h>

#include <new>

#include "gui/GuiFrame.h"
#include "gui/win32/GuiGdiObject.h"
#include "gui/win32/GuiMemoryDc.h"
#include "gui/win32/GuiWindowDc.h"

// The bitmap and the memory device context holding it, both compatible with
// the window; the device context goes first, giving the bitmap back.
struct GuiOffscreenContext::Image {
  Image(HDC windowDc, std::int32_t width, std::int32_t height)
      : bitmap(CreateCompatibleBitmap(windowDc, width, height)), memoryDc(windowDc, bitmap.get()) {}

  GuiGdiObject<HBITMAP> bitmap;
  GuiMemoryDc memoryDc;
};

GuiOffscreenContext::GuiOffscreenContext(GuiFrame* frame, std::int32_t width, std::int32_t height,
                                         const GuiColour& fillColour)
    : GuiDrawingContext(frame, nullptr, nullptr), bitmapHeight(height), bitmapWidth(width), background(fillColour) {
  {
    GuiWindowDc windowDc(frame ? static_cast<HWND>(frame->frameWindow()) : nullptr);
    image.reset(new (std::nothrow) Image(windowDc.handle(), width, height));
  }
  if (!image || !image->memoryDc.handle()) return;
  adoptSurface(image->memoryDc.handle());
  paintWhole(width, height, fillColour);
}

// The plain context would put its saved objects back into a DC that no
// longer exists by then, so they go back before the image goes.
GuiOffscreenContext::~GuiOffscreenContext() { restoreSurface(); }

void GuiOffscreenContext::blitTo(GuiDrawingContext& destination, const GuiRect& r, const GuiPoint& source) {
  const GuiPoint& destinationOffset = destination.drawOffset();
  BitBlt(static_cast<HDC>(destination.surface()), r.left + destinationOffset.x, r.top + destinationOffset.y, r.width(),
         r.height(), static_cast<HDC>(surface()), source.x, source.y, SRCCOPY);
}
