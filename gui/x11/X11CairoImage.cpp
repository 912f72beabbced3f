#include "gui/x11/X11CairoImage.h"

#include <cstdint>
#include <cstring>

namespace {

struct ByteStream {
  const unsigned char* bytes;
  std::size_t size;
  std::size_t position;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* stream = static_cast<ByteStream*>(closure);
  if (stream->size - stream->position < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, stream->bytes + stream->position, length);
  stream->position += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

cairo_surface_t* readPngImage(const unsigned char* bytes, std::size_t size) {
  if (!bytes || size == 0) return nullptr;
  ByteStream stream{bytes, size, 0};
  cairo_surface_t* image = cairo_image_surface_create_from_png_stream(&readBytes, &stream);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return nullptr;
  }
  return image;
}

bool readPngSize(const unsigned char* bytes, std::size_t size, int& width, int& height) {
  // The signature, then the header chunk's length and type, then its width
  // and height as big-endian 32-bit numbers.
  static constexpr unsigned char kStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                             0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  constexpr std::size_t kHeaderEnd = sizeof kStart + 8;
  if (!bytes || size < kHeaderEnd || std::memcmp(bytes, kStart, sizeof kStart) != 0) return false;
  auto number = [&](std::size_t at) {
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 |
           std::uint32_t(bytes[at + 3]);
  };
  const std::uint32_t w = number(sizeof kStart), h = number(sizeof kStart + 4);
  if (w == 0 || h == 0 || w > 0x7FFF || h > 0x7FFF) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

cairo_surface_t* copyWithTransparentKey(cairo_surface_t* image, const GuiColour& key) {
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(copy) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(copy);
    return nullptr;
  }
  cairo_surface_flush(image);
  cairo_surface_flush(copy);
  const std::uint32_t keyPixel = std::uint32_t(key.red) << 16 | std::uint32_t(key.green) << 8 | key.blue;
  const unsigned char* from = cairo_image_surface_get_data(image);
  unsigned char* to = cairo_image_surface_get_data(copy);
  const int fromStride = cairo_image_surface_get_stride(image);
  const int toStride = cairo_image_surface_get_stride(copy);
  for (int y = 0; y < height; ++y) {
    const auto* source = reinterpret_cast<const std::uint32_t*>(from + y * fromStride);
    auto* target = reinterpret_cast<std::uint32_t*>(to + y * toStride);
    for (int x = 0; x < width; ++x) {
      // Images read from the library are opaque, so their pixels are the colour itself.
      const std::uint32_t colour = source[x] & 0x00FFFFFFu;
      target[x] = colour == keyPixel ? 0u : (0xFF000000u | colour);
    }
  }
  cairo_surface_mark_dirty(copy);
  return copy;
}
