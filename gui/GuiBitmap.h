#pragma once
// An image from the module's bitmap resources, shared by reference count.
// White is its transparent key colour.

#include <windows.h>

#include <cstdint>

#include "gui/GuiColour.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"

class GuiDrawingContext;

class GuiBitmap final {
public:
  // Count 1; a resource the module lacks gives an empty bitmap of size 0 x 0.
  explicit GuiBitmap(std::int32_t resourceId);

  GuiBitmap(const GuiBitmap&) = delete;
  GuiBitmap& operator=(const GuiBitmap&) = delete;

  std::int32_t width() const { return imageWidth; }
  std::int32_t height() const { return imageHeight; }
  std::int32_t resourceId() const { return resource; }
  std::int32_t referenceCount() const { return references; }
  const GuiColour& keyColour() const { return key; }
  bool hasMask() const { return maskBitmap != nullptr; }
  // How many times a mask was built; stays 1 however often the bitmap is drawn.
  std::int32_t masksBuilt() const { return maskBuildCount; }
  HBITMAP imageHandle() const { return image; }
  HBITMAP maskHandle() const { return maskBitmap; }

  void retain();
  // Destroys the bitmap when the count reaches 0; does nothing at 0 or below.
  void release();

  // Copy width(r) x height(r) pixels from the source point to r.
  void drawOpaque(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source);
  // The same, leaving pixels of the key colour out; the image stays unchanged.
  void drawTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source);

private:
  ~GuiBitmap();

  HBITMAP buildMask(HDC reference) const;
  void composeTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source,
                          HDC sourceDc) const;

  std::int32_t resource;
  std::int32_t references = 1;
  std::int32_t imageWidth = 0;
  std::int32_t imageHeight = 0;
  GuiColour key = ColourTransparentKey;
  HBITMAP image = nullptr;
  HBITMAP maskBitmap = nullptr;
  std::int32_t maskBuildCount = 0;
};
