#include "gui/GuiOffscreenContext.h"

#include <windows.h>

#include <new>

#include "gui/GuiFrame.h"

// The memory device context's bitmap and the one it displaced there.
struct GuiOffscreenContext::Image {
  HBITMAP bitmap = nullptr;
  HGDIOBJ displacedBitmap = nullptr;
};

GuiOffscreenContext::GuiOffscreenContext(GuiFrame* frame, std::int32_t width, std::int32_t height,
                                         const GuiColour& background)
    : GuiDrawingContext(frame, nullptr, nullptr), bitmapHeight(height), bitmapWidth(width),
      background(background), image(new (std::nothrow) Image) {
  if (!image) return;
  HWND window = frame ? static_cast<HWND>(frame->frameWindow()) : nullptr;
  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  image->bitmap = CreateCompatibleBitmap(windowDc, width, height);
  if (memoryDc && image->bitmap) image->displacedBitmap = SelectObject(memoryDc, image->bitmap);
  ReleaseDC(window, windowDc);
  if (!memoryDc) return;

  adoptSurface(memoryDc);
  paintWhole(width, height, background);
}

GuiOffscreenContext::~GuiOffscreenContext() {
  HDC memoryDc = static_cast<HDC>(surface());
  if (memoryDc) {
    // The plain context puts its saved objects back into a DC that no longer
    // exists otherwise, so they go back before the DC is deleted.
    restoreSurface();
    if (image->displacedBitmap) SelectObject(memoryDc, image->displacedBitmap);
    DeleteDC(memoryDc);
  }
  if (image && image->bitmap) DeleteObject(image->bitmap);
}

void GuiOffscreenContext::blitTo(GuiDrawingContext& destination, const GuiRect& r, const GuiPoint& source) {
  const GuiPoint& offset = destination.drawOffset();
  BitBlt(static_cast<HDC>(destination.surface()), r.left + offset.x, r.top + offset.y, r.width(), r.height(),
         static_cast<HDC>(surface()), source.x, source.y, SRCCOPY);
}
