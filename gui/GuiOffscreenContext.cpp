#include "gui/GuiOffscreenContext.h"

#include "gui/GuiFrame.h"

GuiOffscreenContext::GuiOffscreenContext(GuiFrame* frame, std::int32_t width, std::int32_t height,
                                         const GuiColour& background)
    : GuiDrawingContext(frame, nullptr, nullptr), bitmapHeight(height), bitmapWidth(width),
      background(background) {
  HWND window = frame ? frame->frameWindow() : nullptr;
  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  bitmap = CreateCompatibleBitmap(windowDc, width, height);
  if (memoryDc && bitmap) displacedBitmap = SelectObject(memoryDc, bitmap);
  ReleaseDC(window, windowDc);
  if (!memoryDc) return;

  adoptDeviceContext(memoryDc);
  setFillColour(background);
  setLineColour(background);
  const GuiRect whole{0, 0, width, height};
  fillRect(whole);
  frameRect(whole);
}

GuiOffscreenContext::~GuiOffscreenContext() {
  HDC memoryDc = deviceContext();
  if (memoryDc) {
    // The plain context puts its saved objects back into a DC that no longer
    // exists otherwise, so they go back before the DC is deleted.
    restoreSelections();
    if (displacedBitmap) SelectObject(memoryDc, displacedBitmap);
    DeleteDC(memoryDc);
  }
  if (bitmap) DeleteObject(bitmap);
}

void GuiOffscreenContext::blitTo(GuiDrawingContext& destination, const GuiRect& r, const GuiPoint& source) {
  const GuiPoint& offset = destination.drawOffset();
  BitBlt(destination.deviceContext(), r.left + offset.x, r.top + offset.y, r.width(), r.height(),
         deviceContext(), source.x, source.y, SRCCOPY);
}
