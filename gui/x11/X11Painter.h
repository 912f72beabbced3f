#pragma once
// GDI's drawing on a cairo context: one-pixel pens (solid or dotted) whose
// lines leave their end point out, solid fills of whole pixels, and one line
// of text placed in its rectangle as DrawText places it. Nothing is
// antialiased except the text sizes Windows smooths, so shapes land on the
// pixels they cover on Windows. Each drawing answers the area it changed.

#include <cairo.h>

#include <cstdint>
#include <memory>

#include "gui/GuiColour.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"
#include "gui/x11/X11Font.h"
#include "gui/x11/X11PenTrace.h"

class X11Painter final {
public:
  enum class Align { Left, Centre, Right };

  // Draws on the context, which stays the caller's.
  explicit X11Painter(cairo_t* cairo);
  ~X11Painter();

  X11Painter(const X11Painter&) = delete;
  X11Painter& operator=(const X11Painter&) = delete;

  cairo_t* context() const { return cairo; }

  void setPen(const GuiColour& colour, bool dotted);
  void setBrush(const GuiColour& colour);
  void setTextColour(const GuiColour& colour);
  // A face from the font table; fontconfig finds the metric-compatible stand-in.
  void selectFont(const char* face, std::int32_t pixelSize, bool bold, bool italic, bool underline,
                  bool smoothed = true);

  void moveTo(const GuiPoint& p);
  GuiRect lineTo(const GuiPoint& p);
  // Paints the pixels from (left, top) up to, without, (right, bottom) in the brush's colour.
  GuiRect fillPixels(const GuiRect& r);
  // One line, vertically centred in r, aligned within its left and right edge
  // and not clipped to r; opaque text first fills its cell with the brush.
  // Nothing without a font.
  GuiRect drawText(const char* text, const GuiRect& r, Align align, bool opaque);

private:
  void setSource(const GuiColour& colour);
  void fillRectangle(double x, double y, double w, double h, const GuiColour& colour);

  cairo_t* cairo;
  X11PenTrace pen;
  GuiColour penColour = ColourWhite;
  bool penDotted = false;
  GuiColour brushColour = ColourBlack;
  GuiColour textColour = ColourWhite;
  std::unique_ptr<X11Font> font;
  bool fontUnderline = false;
};
