#pragma once
// What a drawing context draws on under X11: a cairo context on an image and,
// for a window, the child window that shows that image. Drawing on a window
// becomes visible when it is shown: when its context ends, and whenever a
// control polls the mouse, so a drag shows each step at once.

#include <cairo.h>

#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"

class X11ChildWindow;

class X11Surface final {
public:
  X11Surface(cairo_t* cairoContext, X11ChildWindow* childWindow) : cairo(cairoContext), window(childWindow) {}

  cairo_t* context() const { return cairo; }
  X11ChildWindow* shownOn() const { return window; }

  // Copies the w x h pixels of the image at source to r's top-left corner: an
  // opaque copy replaces the pixels, otherwise the image's alpha decides.
  void copyImage(cairo_surface_t* image, const GuiRect& r, const GuiPoint& source, bool opaque);
  // Remembers that the area (right and bottom excluded) changed.
  void markDrawn(const GuiRect& area);
  // Shows what changed since the last time on the window, if there is one.
  void showDrawn();

private:
  cairo_t* cairo;
  X11ChildWindow* window;
  GuiRect drawn;
  bool anyDrawn = false;
};
