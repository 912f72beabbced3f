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
    image.reset(new (std::nothrow) Image(windowDc.handle(), pixelScale.toDevice(width), pixelScale.toDevice(height)));
  }
  if (!image || !image->memoryDc.handle()) return;
  adoptSurface(image->memoryDc.handle());
  paintWhole(width, height, fillColour);
}

// The plain context would put its saved objects back into a DC that no
// longer exists by then, so they go back before the image goes.
GuiOffscreenContext::~GuiOffscreenContext() { restoreSurface(); }

void GuiOffscreenContext::blitTo(GuiDrawingContext& destination, const GuiRect& r, const GuiPoint& source) {
  const GuiScale& to = destination.scale();
  const GuiRect d = to.toDevice(r.offsetBy(destination.drawOffset()));
  const GuiPoint s = to.toDevice(source);
  BitBlt(static_cast<HDC>(destination.surface()), d.left, d.top, d.width(), d.height(), static_cast<HDC>(surface()),
         s.x, s.y, SRCCOPY);
}
