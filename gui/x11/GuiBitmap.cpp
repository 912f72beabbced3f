#include "gui/GuiBitmap.h"

#include <algorithm>
#include <new>

#include "gui/GuiDrawingContext.h"
#include "gui/x11/X11CairoImage.h"
#include "gui/x11/X11Surface.h"

// The embedded PNG file, read at the first draw (so that plug-in instances a
// host never shows decode nothing), and after the first transparent draw the
// copy with the key colour fully transparent.
// One of these per scale; the files of the larger scales may be missing.
struct ScaledPng {
  ScaledPng() = default;
  ~ScaledPng() {
    if (keyed) cairo_surface_destroy(keyed);
    if (opaque) cairo_surface_destroy(opaque);
  }
  ScaledPng(const ScaledPng&) = delete;
  ScaledPng& operator=(const ScaledPng&) = delete;

  // Null when the file is missing or can't be read.
  cairo_surface_t* pixels() {
    if (!opaque && !unreadable && file) {
      opaque = readPngImage(file->bytes, file->size);
      unreadable = opaque == nullptr;
    }
    return opaque;
  }

  const GuiEmbeddedImage* file = nullptr;
  cairo_surface_t* opaque = nullptr;
  bool unreadable = false;
  cairo_surface_t* keyed = nullptr;
};

struct GuiBitmap::Image {
  ScaledPng scales[GuiScale::kCount];
};

namespace {

// Fractional scales round the edges of a rectangle, so its scaled width may
// pass the image's by a pixel: the copy stops at the image's edge.
GuiRect withinImage(cairo_surface_t* image, GuiRect r, const GuiPoint& source) {
  r.right = std::min(r.right, r.left + cairo_image_surface_get_width(image) - source.x);
  r.bottom = std::min(r.bottom, r.top + cairo_image_surface_get_height(image) - source.y);
  return r;
}

const GuiEmbeddedImage* findImage(const GuiResourceSource& source, std::int32_t resourceId) {
  for (std::size_t i = 0; source.images && i < source.imageCount; ++i) {
    if (source.images[i].resourceId == (resourceId & 0xFFFF)) return &source.images[i];
  }
  return nullptr;
}

}  // namespace

GuiBitmap::GuiBitmap(const GuiResourceSource& source, std::int32_t resourceId) : resource(resourceId) {
  const GuiEmbeddedImage* file = findImage(source, resourceId);
  int width = 0, height = 0;
  if (!file || !readPngSize(file->bytes, file->size, width, height)) return;
  native.reset(new (std::nothrow) Image);
  if (!native) return;
  for (std::int32_t i = 0; i < GuiScale::kCount; ++i) {
    native->scales[i].file = findImage(source, (resourceId & 0xFFFF) + kScaledResourceStep * i);
  }
  imageWidth = width;
  imageHeight = height;
}

GuiBitmap::~GuiBitmap() = default;

void GuiBitmap::drawOpaque(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  auto* target = static_cast<X11Surface*>(context.surface());
  if (!native || !target) return;
  const GuiScale& scale = context.scale();
  ScaledPng& image = native->scales[scale.index()];
  if (!image.pixels()) return;
  const GuiPoint from = scale.toDevice(source);
  const GuiRect to = scale.toDevice(r.offsetBy(context.drawOffset()));
  target->copyImage(image.pixels(), scale.isOne() ? to : withinImage(image.pixels(), to, from), from, true);
}

void GuiBitmap::drawTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  auto* target = static_cast<X11Surface*>(context.surface());
  if (!native || !target) return;
  const GuiScale& scale = context.scale();
  ScaledPng& image = native->scales[scale.index()];
  if (!image.pixels()) return;
  if (!image.keyed) {
    image.keyed = copyWithTransparentKey(image.pixels(), key);
    maskReady = image.keyed != nullptr;
    ++maskBuildCount;
  }
  if (!image.keyed) return;
  const GuiPoint from = scale.toDevice(source);
  const GuiRect to = scale.toDevice(r.offsetBy(context.drawOffset()));
  target->copyImage(image.keyed, scale.isOne() ? to : withinImage(image.keyed, to, from), from, false);
}
