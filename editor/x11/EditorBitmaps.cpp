// The Linux library carries the bitmaps as PNG bytes, converted from the same
// BMP files at build time.
#include "editor/EditorBitmaps.h"

#include <cstddef>

extern const GuiEmbeddedImage editorImages[];
extern const std::size_t editorImagesCount;

GuiResourceSource editorBitmaps() { return {nullptr, editorImages, editorImagesCount}; }
