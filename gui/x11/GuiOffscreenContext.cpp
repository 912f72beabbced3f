#include "gui/GuiOffscreenContext.h"

#include <new>

#include "gui/x11/X11Surface.h"

// The image, the cairo context on it and the surface the plain context draws on.
struct GuiOffscreenContext::Image {
  Image(cairo_surface_t* imageSurface, cairo_t* cairoContext)
      : pixels(imageSurface), cairo(cairoContext), surface(cairoContext, nullptr) {}
  ~Image() {
    cairo_destroy(cairo);
    cairo_surface_destroy(pixels);
  }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  cairo_surface_t* pixels;
  cairo_t* cairo;
  X11Surface surface;
};

GuiOffscreenContext::GuiOffscreenContext(GuiFrame* frame, std::int32_t width, std::int32_t height,
                                         const GuiColour& fillColour)
    : GuiDrawingContext(frame, nullptr, nullptr), bitmapHeight(height), bitmapWidth(width), background(fillColour) {
  if (width <= 0 || height <= 0) return;
  cairo_surface_t* pixels =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixelScale.toDevice(width), pixelScale.toDevice(height));
  cairo_t* cairo = cairo_create(pixels);
  if (cairo_status(cairo) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cairo);
    cairo_surface_destroy(pixels);
    return;
  }
  image.reset(new (std::nothrow) Image(pixels, cairo));
  if (!image) {
    cairo_destroy(cairo);
    cairo_surface_destroy(pixels);
    return;
  }
  adoptSurface(&image->surface);
  try {
    paintWhole(width, height, fillColour);
  } catch (...) {
    // Out of memory for the outline's pixels: our destructor will not run, and
    // the image goes before the plain context's, which must let go of it first.
    restoreSurface();
    throw;
  }
}

GuiOffscreenContext::~GuiOffscreenContext() {
  // The plain context lets go of the image's cairo context before it goes.
  restoreSurface();
}

void GuiOffscreenContext::blitTo(GuiDrawingContext& destination, const GuiRect& r, const GuiPoint& source) {
  auto* target = static_cast<X11Surface*>(destination.surface());
  if (!image || !target) return;
  const GuiScale& to = destination.scale();
  target->copyImage(image->pixels, to.toDevice(r.offsetBy(destination.drawOffset())), to.toDevice(source), true);
}
