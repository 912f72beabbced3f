#pragma once
// One counted reference to a shared bitmap: taking it retains the bitmap,
// dropping it releases it, and moving it hands it on without touching the count.

#include <utility>

class GuiBitmap;

class GuiBitmapHandle final {
public:
  GuiBitmapHandle() = default;
  // Retains the bitmap, if there is one.
  explicit GuiBitmapHandle(GuiBitmap* sharedBitmap);
  // Takes over a reference the caller already holds, such as the one a new bitmap starts with.
  static GuiBitmapHandle adopt(GuiBitmap* bitmap);

  GuiBitmapHandle(const GuiBitmapHandle& other) : GuiBitmapHandle(other.bitmap) {}
  GuiBitmapHandle(GuiBitmapHandle&& other) noexcept : bitmap(std::exchange(other.bitmap, nullptr)) {}
  // The new reference is taken before the old one goes, which may be the same bitmap.
  GuiBitmapHandle& operator=(GuiBitmapHandle other) noexcept {
    std::swap(bitmap, other.bitmap);
    return *this;
  }
  ~GuiBitmapHandle() { reset(); }

  // Releases the bitmap held, if any, and holds none.
  void reset();

  GuiBitmap* get() const { return bitmap; }
  GuiBitmap* operator->() const { return bitmap; }
  GuiBitmap& operator*() const { return *bitmap; }
  explicit operator bool() const { return bitmap != nullptr; }

private:
  GuiBitmap* bitmap = nullptr;
};
