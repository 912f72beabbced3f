#include "gui/x11/X11Painter.h"

#include <algorithm>
#include <string>

namespace {

double channel(std::uint8_t value) { return value / 255.0; }

// The toolkit's text is 8-bit Windows text; cairo takes UTF-8. The panel's
// texts are ASCII; other bytes are read as Latin-1.
std::string toUtf8(const char* text) {
  std::string utf8;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    if (*c < 0x80) {
      utf8 += static_cast<char>(*c);
    } else {
      utf8 += static_cast<char>(0xC0 | (*c >> 6));
      utf8 += static_cast<char>(0x80 | (*c & 0x3F));
    }
  }
  return utf8;
}

}  // namespace

X11Painter::X11Painter(cairo_t* context) : cairo(context) {
  cairo_save(cairo);
  cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cairo, 1.0);
}

X11Painter::~X11Painter() { cairo_restore(cairo); }

void X11Painter::setSource(const GuiColour& colour) {
  cairo_set_source_rgb(cairo, channel(colour.red), channel(colour.green), channel(colour.blue));
}

void X11Painter::fillRectangle(double x, double y, double w, double h, const GuiColour& colour) {
  setSource(colour);
  cairo_rectangle(cairo, x, y, w, h);
  cairo_fill(cairo);
}

void X11Painter::setPen(const GuiColour& colour, bool dotted) {
  penColour = colour;
  penDotted = dotted;
  // A new pen starts its dots afresh.
  pen.moveTo(pen.currentPoint());
}

void X11Painter::setBrush(const GuiColour& colour) { brushColour = colour; }

void X11Painter::setTextColour(const GuiColour& colour) { textColour = colour; }

void X11Painter::selectFont(const char* face, std::int32_t pixelSize, bool bold, bool italic, bool underline,
                            bool smoothed) {
  font = std::make_unique<X11Font>(face, pixelSize, bold, italic, smoothed);
  fontUnderline = underline;
}

void X11Painter::moveTo(const GuiPoint& p) { pen.moveTo(p); }

GuiRect X11Painter::lineTo(const GuiPoint& p) {
  const std::vector<GuiPoint> pixels = pen.lineTo(p, penDotted);
  if (pixels.empty()) return {};
  setSource(penColour);
  GuiRect area{pixels[0].x, pixels[0].y, pixels[0].x + 1, pixels[0].y + 1};
  for (const GuiPoint& pixel : pixels) {
    cairo_rectangle(cairo, pixel.x, pixel.y, 1, 1);
    area = {std::min(area.left, pixel.x), std::min(area.top, pixel.y), std::max(area.right, pixel.x + 1),
            std::max(area.bottom, pixel.y + 1)};
  }
  cairo_fill(cairo);
  return area;
}

GuiRect X11Painter::fillPixels(const GuiRect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return {};
  fillRectangle(r.left, r.top, r.width(), r.height(), brushColour);
  return r;
}

GuiRect X11Painter::drawText(const char* text, const GuiRect& r, Align align, bool opaque) {
  if (!font || !text) return {};
  const std::string utf8 = toUtf8(text);
  const std::int32_t width = font->width(utf8);
  const std::int32_t height = font->height();

  // Where DrawText puts the cell of a single, vertically centred line.
  std::int32_t x = r.left;
  if (align == Align::Centre) x = r.left + (r.width() - width) / 2;
  if (align == Align::Right) x = r.right - width;
  const std::int32_t y = r.top + (r.height() - height) / 2;
  const std::int32_t baseline = y + font->ascent();

  if (opaque) fillRectangle(x, y, width, height, brushColour);
  setSource(textColour);
  font->show(cairo, x, baseline, utf8);
  if (fontUnderline) fillRectangle(x, baseline + 1, width, font->pixelSize() / 12 + 1, textColour);
  // Glyphs may reach a little beyond their cell.
  const std::int32_t margin = font->pixelSize();
  return {x - margin, y - margin, x + width + margin, y + height + margin};
}
