#include "gui/GuiBitmap.h"

#include "gui/GuiDrawingContext.h"
#include "host/PluginMain.h"

namespace {

// A memory device context holding one bitmap, emptied and deleted on scope exit.
class MemoryDc {
public:
  MemoryDc(HDC reference, HBITMAP bitmap) : dc(CreateCompatibleDC(reference)) {
    if (dc && bitmap) previous = SelectObject(dc, bitmap);
  }
  ~MemoryDc() {
    if (!dc) return;
    if (previous) SelectObject(dc, previous);
    DeleteDC(dc);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC handle() const { return dc; }

private:
  HDC dc;
  HGDIOBJ previous = nullptr;
};

HBITMAP createMonochrome(std::int32_t width, std::int32_t height) {
  return CreateBitmap(width, height, 1, 1, nullptr);
}

}  // namespace

GuiBitmap::GuiBitmap(std::int32_t resourceId) : resource(resourceId) {
  image = LoadBitmapA(static_cast<HINSTANCE>(moduleInstance), MAKEINTRESOURCEA(resourceId & 0xFFFF));
  BITMAP description{};
  if (image && GetObjectA(image, sizeof description, &description)) {
    imageWidth = description.bmWidth;
    imageHeight = description.bmHeight;
  }
}

GuiBitmap::~GuiBitmap() {
  if (image) DeleteObject(image);
  if (maskBitmap) DeleteObject(maskBitmap);
}

void GuiBitmap::retain() { ++references; }

void GuiBitmap::release() {
  if (references <= 0) return;
  if (--references == 0) delete this;
}

void GuiBitmap::drawOpaque(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  if (!image) return;
  MemoryDc sourceDc(context.deviceContext(), image);
  const GuiPoint& offset = context.drawOffset();
  BitBlt(context.deviceContext(), r.left + offset.x, r.top + offset.y, r.width(), r.height(),
         sourceDc.handle(), source.x, source.y, SRCCOPY);
}

void GuiBitmap::drawTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  if (!image) return;
  if (!maskBitmap) {
    maskBitmap = buildMask(context.deviceContext());
    ++maskBuildCount;
  }
  if (!maskBitmap) return;
  MemoryDc sourceDc(context.deviceContext(), image);
  composeTransparent(context, r, source, sourceDc.handle());
}

HBITMAP GuiBitmap::buildMask(HDC reference) const {
  MemoryDc imageDc(reference, image);
  BITMAP description{};
  GetObjectA(image, sizeof description, &description);
  POINT extent{description.bmWidth, description.bmHeight};
  DPtoLP(imageDc.handle(), &extent, 1);

  HBITMAP mask = createMonochrome(extent.x, extent.y);
  if (!mask) return nullptr;
  {
    MemoryDc maskDc(reference, mask);
    SetMapMode(imageDc.handle(), GetMapMode(reference));
    // In a colour-to-monochrome copy, pixels of the background colour become 1.
    const COLORREF previousBack = SetBkColor(imageDc.handle(), key.colourRef());
    BitBlt(maskDc.handle(), 0, 0, extent.x, extent.y, imageDc.handle(), 0, 0, SRCCOPY);
    SetBkColor(imageDc.handle(), previousBack);
  }
  return mask;
}

void GuiBitmap::composeTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& s,
                                   HDC sourceDc) const {
  const std::int32_t w = r.width();
  const std::int32_t h = r.height();
  HDC target = context.deviceContext();
  const GuiPoint d{r.left + context.drawOffset().x, r.top + context.drawOffset().y};

  HBITMAP inverseBitmap = createMonochrome(w, h);
  HBITMAP workBitmap = CreateCompatibleBitmap(target, w, h);
  HBITMAP saveBitmap = CreateCompatibleBitmap(target, w, h);
  if (inverseBitmap && workBitmap && saveBitmap) {
    // Monochrome-to-colour copies turn 1 into white and 0 into black here,
    // because these DCs keep their default black text and white background.
    MemoryDc inverseDc(target, inverseBitmap);
    MemoryDc maskDc(target, maskBitmap);
    MemoryDc workDc(target, workBitmap);
    MemoryDc saveDc(target, saveBitmap);
    BitBlt(saveDc.handle(), 0, 0, w, h, sourceDc, s.x, s.y, SRCCOPY);
    BitBlt(inverseDc.handle(), 0, 0, w, h, maskDc.handle(), s.x, s.y, NOTSRCCOPY);
    BitBlt(workDc.handle(), 0, 0, w, h, target, d.x, d.y, SRCCOPY);
    BitBlt(workDc.handle(), 0, 0, w, h, maskDc.handle(), s.x, s.y, SRCAND);
    BitBlt(sourceDc, s.x, s.y, w, h, inverseDc.handle(), 0, 0, SRCAND);
    BitBlt(workDc.handle(), 0, 0, w, h, sourceDc, s.x, s.y, SRCPAINT);
    // The destination changes in this one copy, never partly composed.
    BitBlt(target, d.x, d.y, w, h, workDc.handle(), 0, 0, SRCCOPY);
    BitBlt(sourceDc, s.x, s.y, w, h, saveDc.handle(), 0, 0, SRCCOPY);
  }
  if (inverseBitmap) DeleteObject(inverseBitmap);
  if (workBitmap) DeleteObject(workBitmap);
  if (saveBitmap) DeleteObject(saveBitmap);
}
