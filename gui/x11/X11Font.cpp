#include "gui/x11/X11Font.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GASP_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace {

cairo_font_options_t* fontOptions(cairo_antialias_t antialias) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, antialias);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  return options;
}

}  // namespace

X11Font::X11Font(const char* faceName, std::int32_t pixelSize, bool bold, bool italic, bool smoothed)
    : size(pixelSize) {
  face = cairo_toy_font_face_create(faceName, italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                    bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_matrix_t scale, identity;
  cairo_matrix_init_scale(&scale, pixelSize, pixelSize);
  cairo_matrix_init_identity(&identity);
  // Smoothed glyphs advance by the widths GDI reports for these faces.
  cairo_font_options_t* measured = fontOptions(CAIRO_ANTIALIAS_GRAY);
  measuring = cairo_scaled_font_create(face, &scale, &identity, measured);
  cairo_font_options_destroy(measured);

  cairo_antialias_t antialias = smoothed ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE;
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(measuring, &extents);
  double ascent = extents.ascent, descent = extents.descent;
  if (FT_Face ft = cairo_ft_scaled_font_lock_face(measuring)) {
    // Windows smooths a size only where the face's gasp table says so.
    const FT_Int gasp = FT_Get_Gasp(ft, static_cast<FT_UInt>(pixelSize));
    if (gasp != FT_GASP_NO_TABLE && !(gasp & FT_GASP_DO_GRAY)) antialias = CAIRO_ANTIALIAS_NONE;
    // GDI's cell: the face's Windows ascent and descent, scaled and rounded.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    if (os2 && ft->units_per_EM > 0) {
      ascent = double(os2->usWinAscent) * pixelSize / ft->units_per_EM;
      descent = double(os2->usWinDescent) * pixelSize / ft->units_per_EM;
    }
    cairo_ft_scaled_font_unlock_face(measuring);
  }
  cellAscent = static_cast<std::int32_t>(std::lround(ascent));
  cellDescent = static_cast<std::int32_t>(std::lround(descent));
  rendering = fontOptions(antialias);
}

X11Font::~X11Font() {
  cairo_font_options_destroy(rendering);
  cairo_scaled_font_destroy(measuring);
  cairo_font_face_destroy(face);
}

std::int32_t X11Font::width(const std::string& text) const {
  cairo_text_extents_t extents;
  cairo_scaled_font_text_extents(measuring, text.c_str(), &extents);
  return static_cast<std::int32_t>(std::lround(extents.x_advance));
}

void X11Font::show(cairo_t* cairo, std::int32_t x, std::int32_t baseline, const std::string& text) const {
  cairo_set_font_face(cairo, face);
  cairo_set_font_size(cairo, size);
  cairo_set_font_options(cairo, rendering);
  cairo_move_to(cairo, x, baseline);
  cairo_show_text(cairo, text.c_str());
}
