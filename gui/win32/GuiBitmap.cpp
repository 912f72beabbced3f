#include "gui/GuiBitmap.h"

#include <new>

#include "gui/GuiDrawingContext.h"
#include "gui/win32/GuiBitmapImage.h"
#include "gui/win32/GuiMemoryDc.h"

namespace {

GuiGdiObject<HBITMAP> createMonochrome(std::int32_t width, std::int32_t height) {
  return GuiGdiObject<HBITMAP>(CreateBitmap(width, height, 1, 1, nullptr));
}

HDC deviceContextOf(const GuiDrawingContext& context) { return static_cast<HDC>(context.surface()); }

// A mask of the image with 1 where the image has the key colour.
GuiGdiObject<HBITMAP> buildMask(HDC reference, HBITMAP image, const GuiColour& key) {
  GuiMemoryDc imageDc(reference, image);
  BITMAP description{};
  GetObjectA(image, sizeof description, &description);
  POINT extent{description.bmWidth, description.bmHeight};
  DPtoLP(imageDc.handle(), &extent, 1);

  GuiGdiObject<HBITMAP> mask = createMonochrome(extent.x, extent.y);
  if (!mask) return nullptr;
  {
    GuiMemoryDc maskDc(reference, mask.get());
    SetMapMode(imageDc.handle(), GetMapMode(reference));
    // In a colour-to-monochrome copy, pixels of the background colour become 1.
    const COLORREF previousBack = SetBkColor(imageDc.handle(), key.colourRef());
    BitBlt(maskDc.handle(), 0, 0, extent.x, extent.y, imageDc.handle(), 0, 0, SRCCOPY);
    SetBkColor(imageDc.handle(), previousBack);
  }
  return mask;
}

// Puts the image's pixels that are not of the key colour on the context.
void composeTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& s, HDC sourceDc,
                        HBITMAP maskBitmap) {
  const std::int32_t w = r.width();
  const std::int32_t h = r.height();
  HDC target = deviceContextOf(context);
  const GuiPoint d{r.left + context.drawOffset().x, r.top + context.drawOffset().y};

  const GuiGdiObject<HBITMAP> inverseBitmap = createMonochrome(w, h);
  const GuiGdiObject<HBITMAP> workBitmap(CreateCompatibleBitmap(target, w, h));
  const GuiGdiObject<HBITMAP> saveBitmap(CreateCompatibleBitmap(target, w, h));
  if (inverseBitmap && workBitmap && saveBitmap) {
    // Monochrome-to-colour copies turn 1 into white and 0 into black here,
    // because these DCs keep their default black text and white background.
    GuiMemoryDc inverseDc(target, inverseBitmap.get());
    GuiMemoryDc maskDc(target, maskBitmap);
    GuiMemoryDc workDc(target, workBitmap.get());
    GuiMemoryDc saveDc(target, saveBitmap.get());
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
}

}  // namespace

GuiBitmap::GuiBitmap(const GuiResourceSource& source, std::int32_t resourceId)
    : resource(resourceId), native(new (std::nothrow) Image) {
  if (!native) return;
  native->bitmap.reset(LoadBitmapA(static_cast<HINSTANCE>(source.module), MAKEINTRESOURCEA(resourceId & 0xFFFF)));
  BITMAP description{};
  if (native->bitmap && GetObjectA(native->bitmap.get(), sizeof description, &description)) {
    imageWidth = description.bmWidth;
    imageHeight = description.bmHeight;
  }
}

GuiBitmap::~GuiBitmap() = default;

void GuiBitmap::drawOpaque(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  if (!native || !native->bitmap) return;
  GuiMemoryDc sourceDc(deviceContextOf(context), native->bitmap.get());
  const GuiPoint& offset = context.drawOffset();
  BitBlt(deviceContextOf(context), r.left + offset.x, r.top + offset.y, r.width(), r.height(), sourceDc.handle(),
         source.x, source.y, SRCCOPY);
}

void GuiBitmap::drawTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  if (!native || !native->bitmap) return;
  if (!native->mask) {
    native->mask = buildMask(deviceContextOf(context), native->bitmap.get(), key);
    maskReady = native->mask != nullptr;
    ++maskBuildCount;
  }
  if (!native->mask) return;
  GuiMemoryDc sourceDc(deviceContextOf(context), native->bitmap.get());
  composeTransparent(context, r, source, sourceDc.handle(), native->mask.get());
}
