#include "gui/GuiBitmap.h"

#include <new>

#include "gui/GuiDrawingContext.h"
#include "gui/x11/X11CairoImage.h"
#include "gui/x11/X11Surface.h"

// The image read from the embedded PNG and, after the first transparent draw,
// its copy with the key colour fully transparent.
struct GuiBitmap::Image {
  explicit Image(cairo_surface_t* opaque) : opaque(opaque) {}
  ~Image() {
    if (keyed) cairo_surface_destroy(keyed);
    cairo_surface_destroy(opaque);
  }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  cairo_surface_t* opaque;
  cairo_surface_t* keyed = nullptr;
};

namespace {

const GuiEmbeddedImage* findImage(const GuiResourceSource& source, std::int32_t resourceId) {
  for (std::size_t i = 0; source.images && i < source.imageCount; ++i) {
    if (source.images[i].resourceId == (resourceId & 0xFFFF)) return &source.images[i];
  }
  return nullptr;
}

}  // namespace

GuiBitmap::GuiBitmap(const GuiResourceSource& source, std::int32_t resourceId) : resource(resourceId) {
  const GuiEmbeddedImage* embedded = findImage(source, resourceId);
  if (!embedded) return;
  cairo_surface_t* opaque = readPngImage(embedded->bytes, embedded->size);
  if (!opaque) return;
  native.reset(new (std::nothrow) Image(opaque));
  if (!native) {
    cairo_surface_destroy(opaque);
    return;
  }
  imageWidth = cairo_image_surface_get_width(opaque);
  imageHeight = cairo_image_surface_get_height(opaque);
}

GuiBitmap::~GuiBitmap() = default;

void GuiBitmap::drawOpaque(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  auto* target = static_cast<X11Surface*>(context.surface());
  if (!native || !target) return;
  target->copyImage(native->opaque, r.offsetBy(context.drawOffset()), source, true);
}

void GuiBitmap::drawTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  auto* target = static_cast<X11Surface*>(context.surface());
  if (!native || !target) return;
  if (!maskReady) {
    native->keyed = copyWithTransparentKey(native->opaque, key);
    maskReady = native->keyed != nullptr;
    ++maskBuildCount;
  }
  if (!native->keyed) return;
  target->copyImage(native->keyed, r.offsetBy(context.drawOffset()), source, false);
}
