#pragma once
// An image from the module's bitmaps, shared by reference count. White is its
// transparent key colour. Holders keep their reference in a GuiBitmapHandle.
//
// Platform seam: portable header; the reference count is in gui/GuiBitmap.cpp;
// gui/win32/GuiBitmap.cpp (a GDI bitmap from the module's resources, a
// monochrome mask) and gui/x11/GuiBitmap.cpp (a cairo surface from an
// embedded PNG, a copy with the key colour made transparent) define the
// construction, destruction, drawing and struct Image.
// Both draw exactly the pixels of the image: no scaling, no smoothing. At a
// scale other than 1 they draw the image drawn for that scale, the resource
// kScaledResourceStep * (scale index) after the bitmap's own, read at its
// first draw; sizes and rectangles stay in the toolkit's pixels.

#include <cstdint>
#include <memory>

#include "gui/GuiColour.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"
#include "gui/GuiResourceSource.h"

class GuiDrawingContext;

inline constexpr std::int32_t kScaledResourceStep = 100;

class GuiBitmap final {
public:
  // Count 1; an image the source lacks gives an empty bitmap of size 0 x 0.
  GuiBitmap(const GuiResourceSource& source, std::int32_t resourceId);

  GuiBitmap(const GuiBitmap&) = delete;
  GuiBitmap& operator=(const GuiBitmap&) = delete;

  std::int32_t width() const { return imageWidth; }
  std::int32_t height() const { return imageHeight; }
  std::int32_t resourceId() const { return resource; }
  std::int32_t referenceCount() const { return references; }
  const GuiColour& keyColour() const { return key; }
  // Whether the image with the key colour left out has been made (at the first transparent draw).
  bool hasMask() const { return maskReady; }
  // How many times a mask was built; stays 1 however often the bitmap is drawn.
  std::int32_t masksBuilt() const { return maskBuildCount; }

  void retain();
  // Destroys the bitmap when the count reaches 0; does nothing at 0 or below.
  void release();

  // Copy width(r) x height(r) pixels from the source point to r, shifted by
  // the context's drawOffset.
  void drawOpaque(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source);
  // The same, leaving pixels of the key colour out; the image stays unchanged.
  void drawTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source);

  // The back end's image, defined by the back end.
  struct Image;
  const Image* image() const { return native.get(); }

private:
  ~GuiBitmap();

  std::int32_t resource;
  std::int32_t references = 1;
  std::int32_t imageWidth = 0;
  std::int32_t imageHeight = 0;
  GuiColour key = ColourTransparentKey;
  std::int32_t maskBuildCount = 0;
  bool maskReady = false;
  // Null when there is no image.
  std::unique_ptr<Image> native;
};
