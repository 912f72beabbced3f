#pragma once
// A font as GDI measures and draws it, through cairo and fontconfig: the
// cell height from the face's Windows ascent and descent, advances of
// smoothed glyphs (the whole-pixel widths Windows reports), and smoothing
// only at the sizes where the face's own table asks for it.

#include <cairo.h>

#include <cstdint>
#include <string>

class X11Font final {
public:
  // Unsmoothed, the glyphs are never antialiased, whatever the size.
  X11Font(const char* face, std::int32_t pixelSize, bool bold, bool italic, bool smoothed = true);
  ~X11Font();

  X11Font(const X11Font&) = delete;
  X11Font& operator=(const X11Font&) = delete;

  std::int32_t ascent() const { return cellAscent; }
  std::int32_t height() const { return cellAscent + cellDescent; }
  std::int32_t pixelSize() const { return size; }
  // The advance of the UTF-8 text in whole pixels.
  std::int32_t width(const std::string& text) const;
  // Draws the text with its baseline's left end at (x, baseline), in the
  // context's current source.
  void show(cairo_t* cairo, std::int32_t x, std::int32_t baseline, const std::string& text) const;

private:
  std::int32_t size;
  cairo_font_face_t* face;
  cairo_scaled_font_t* measuring;
  cairo_font_options_t* rendering;
  std::int32_t cellAscent = 0;
  std::int32_t cellDescent = 0;
};
