#include "gui/GuiBitmapHandle.h"

#include "gui/GuiBitmap.h"

GuiBitmapHandle::GuiBitmapHandle(GuiBitmap* sharedBitmap) : bitmap(sharedBitmap) {
  if (sharedBitmap) sharedBitmap->retain();
}

GuiBitmapHandle GuiBitmapHandle::adopt(GuiBitmap* bitmap) {
  GuiBitmapHandle handle;
  handle.bitmap = bitmap;
  return handle;
}

void GuiBitmapHandle::reset() {
  if (bitmap) std::exchange(bitmap, nullptr)->release();
}
