#include "gui/GuiBitmap.h"

#include <new>

#include "gui/GuiDrawingContext.h"
#include "gui/x11/X11CairoImage.h"
#include "gui/x11/X11Surface.h"

// The embedded PNG file, read at the first draw (so that plug-in instances a
// host never shows decode nothing), and after the first transparent draw the
// copy with the key colour fully transparent.
struct GuiBitmap::Image {
  explicit Image(const GuiEmbeddedImage& embeddedFile) : file(embeddedFile) {}
  ~Image() {
    if (keyed) cairo_surface_destroy(keyed);
    if (opaque) cairo_surface_destroy(opaque);
  }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // Null when the file can't be read.
  cairo_surface_t* pixels() {
    if (!opaque && !unreadable) {
      opaque = readPngImage(file.bytes, file.size);
      unreadable = opaque == nullptr;
    }
    return opaque;
  }

  const GuiEmbeddedImage& file;
  cairo_surface_t* opaque = nullptr;
  bool unreadable = false;
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
  const GuiEmbeddedImage* file = findImage(source, resourceId);
  int width = 0, height = 0;
  if (!file || !readPngSize(file->bytes, file->size, width, height)) return;
  native.reset(new (std::nothrow) Image(*file));
  if (!native) return;
  imageWidth = width;
  imageHeight = height;
}

GuiBitmap::~GuiBitmap() = default;

void GuiBitmap::drawOpaque(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  auto* target = static_cast<X11Surface*>(context.surface());
  if (!native || !target) return;
  target->copyImage(native->pixels(), r.offsetBy(context.drawOffset()), source, true);
}

void GuiBitmap::drawTransparent(GuiDrawingContext& context, const GuiRect& r, const GuiPoint& source) {
  auto* target = static_cast<X11Surface*>(context.surface());
  if (!native || !target || !native->pixels()) return;
  if (!maskReady) {
    native->keyed = copyWithTransparentKey(native->pixels(), key);
    maskReady = native->keyed != nullptr;
    ++maskBuildCount;
  }
  target->copyImage(native->keyed, r.offsetBy(context.drawOffset()), source, false);
}
