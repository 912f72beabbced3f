#pragma once
// Images for cairo: PNG bytes read into an image surface, and the copy of an
// image in which one key colour is fully transparent.

#include <cairo.h>

#include <cstddef>

#include "gui/GuiColour.h"

// The image, or null when the bytes are no PNG image cairo can read.
cairo_surface_t* readPngImage(const unsigned char* bytes, std::size_t size);

// The width and height a PNG file's header announces, without reading the
// image; false when the bytes do not start like a PNG file.
bool readPngSize(const unsigned char* bytes, std::size_t size, int& width, int& height);

// A copy of the image with alpha 0 wherever the colour equals the key and
// full alpha elsewhere; null when no surface can be made.
cairo_surface_t* copyWithTransparentKey(cairo_surface_t* image, const GuiColour& key);
