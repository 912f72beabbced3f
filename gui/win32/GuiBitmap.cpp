#include "gui/GuiBitmap.h"

#include <algorithm>
#include <new>

#include "gui/GuiDrawingContext.h"
#include "gui/win32/GuiBitmapImage.h"
#include "gui/win32/GuiMemoryDc.h"

namespace {

GuiGdiObject<HBITMAP> createMonochrome(std::int32_t width, std::int32_t height) {
  return GuiGdiObject<HBITMAP>(CreateBitmap(width, height, 1, 1, nullptr));
}

HDC deviceContextOf(const GuiDrawingContext& context) { return static_cast<HDC>(context.surface()); }

// The bitmap and mask of the context's scale.
struct ScaledImage {
  GuiGdiObject<HBITMAP>& bitmap;
  GuiGdiObject<HBITMAP>& mask;
};

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
// r and s are window pixels, the draw offset applied.
void composeTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& s, HDC sourceDc,
                        HBITMAP maskBitmap) {
  const std::int32_t w = r.width();
  const std::int32_t h = r.height();
  HDC target = deviceContextOf(context);
  const GuiPoint d{r.left, r.top};

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
  native->module = static_cast<HINSTANCE>(source.module);
  native->bitmap.reset(LoadBitmapA(native->module, MAKEINTRESOURCEA(resourceId & 0xFFFF)));
  BITMAP description{};
  if (native->bitmap && GetObjectA(native->bitmap.get(), sizeof description, &description)) {
    imageWidth = description.bmWidth;
    imageHeight = description.bmHeight;
  }
}

GuiBitmap::~GuiBitmap() = default;

namespace {

// Fractional scales round the edges of a rectangle, so its scaled width may
// pass the image's by a pixel: the copy stops at the image's edge.
GuiRect withinImage(HBITMAP image, GuiRect r, const GuiPoint& source) {
  BITMAP description{};
  if (!GetObjectA(image, sizeof description, &description)) return r;
  r.right = (std::min)(r.right, r.left + static_cast<std::int32_t>(description.bmWidth) - source.x);
  r.bottom = (std::min)(r.bottom, r.top + static_cast<std::int32_t>(description.bmHeight) - source.y);
  return r;
}

ScaledImage imageAt(GuiBitmap::Image& image, std::int32_t resourceId, const GuiScale& scale) {
  if (scale.isOne()) return {image.bitmap, image.mask};
  GuiBitmap::Image::Scaled& scaled = image.larger[scale.index() - 1];
  if (!scaled.loaded) {
    scaled.loaded = true;
    const std::int32_t id = (resourceId & 0xFFFF) + kScaledResourceStep * scale.index();
    scaled.bitmap.reset(LoadBitmapA(image.module, MAKEINTRESOURCEA(id)));
  }
  return {scaled.bitmap, scaled.mask};
}

}  // namespace

void GuiBitmap::drawOpaque(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  if (!native || !native->bitmap) return;
  const GuiScale& scale = context.scale();
  ScaledImage image = imageAt(*native, resource, scale);
  if (!image.bitmap) return;
  GuiMemoryDc sourceDc(deviceContextOf(context), image.bitmap.get());
  const GuiPoint s = scale.toDevice(source);
  GuiRect d = scale.toDevice(r.offsetBy(context.drawOffset()));
  if (!scale.isOne()) d = withinImage(image.bitmap.get(), d, s);
  BitBlt(deviceContextOf(context), d.left, d.top, d.width(), d.height(), sourceDc.handle(), s.x, s.y, SRCCOPY);
}

void GuiBitmap::drawTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  if (!native || !native->bitmap) return;
  const GuiScale& scale = context.scale();
  ScaledImage image = imageAt(*native, resource, scale);
  if (!image.bitmap) return;
  if (!image.mask) {
    image.mask = buildMask(deviceContextOf(context), image.bitmap.get(), key);
    maskReady = image.mask != nullptr;
    ++maskBuildCount;
  }
  if (!image.mask) return;
  GuiMemoryDc sourceDc(deviceContextOf(context), image.bitmap.get());
  const GuiPoint s = scale.toDevice(source);
  GuiRect d = scale.toDevice(r.offsetBy(context.drawOffset()));
  if (!scale.isOne()) d = withinImage(image.bitmap.get(), d, s);
  composeTransparent(context, d, s, sourceDc.handle(), image.mask.get());
}
