#include "gui/x11/X11Surface.h"

#include <algorithm>

#include "gui/x11/X11ChildWindow.h"

void X11Surface::copyImage(cairo_surface_t* image, const GuiRect& r, const GuiPoint& source, bool opaque) {
  if (!image || r.right <= r.left || r.bottom <= r.top) return;
  cairo_save(cairo);
  cairo_set_operator(cairo, opaque ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_OVER);
  cairo_set_source_surface(cairo, image, r.left - source.x, r.top - source.y);
  // Pixels as they are, never resampled.
  cairo_pattern_set_filter(cairo_get_source(cairo), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cairo, r.left, r.top, r.width(), r.height());
  cairo_fill(cairo);
  cairo_restore(cairo);
  markDrawn(r);
}

void X11Surface::markDrawn(const GuiRect& area) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  if (!anyDrawn) {
    drawn = area;
    anyDrawn = true;
    return;
  }
  drawn = {std::min(drawn.left, area.left), std::min(drawn.top, area.top), std::max(drawn.right, area.right),
           std::max(drawn.bottom, area.bottom)};
}

void X11Surface::showDrawn() {
  if (!anyDrawn) return;
  anyDrawn = false;
  if (window) window->show(drawn);
}
