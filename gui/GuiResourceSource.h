#pragma once
// Where GuiBitmap finds the image of a resource number. The owner of the
// toolkit hands it in; each back end reads its own field and ignores the other.

#include <cstddef>
#include <cstdint>

// One image built into the library as the bytes of a PNG file.
struct GuiEmbeddedImage {
  std::int32_t resourceId;
  const unsigned char* bytes;
  std::size_t size;
};

struct GuiResourceSource {
  // Windows: the instance handle (HINSTANCE) of the module whose bitmap
  // resources hold the images.
  void* module = nullptr;
  // X11: the images built into the library, imageCount of them.
  const GuiEmbeddedImage* images = nullptr;
  std::size_t imageCount = 0;
};
