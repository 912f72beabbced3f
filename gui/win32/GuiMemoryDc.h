#pragma once
// A memory device context holding one bitmap; the bitmap it displaced goes
// back in and the context is deleted at the end of its life. The bitmap stays
// its owner's.

#include <windows.h>

class GuiMemoryDc final {
public:
  // Compatible with the reference device context; without a bitmap it keeps its default one.
  GuiMemoryDc(HDC reference, HBITMAP bitmap) : dc(CreateCompatibleDC(reference)) {
    if (dc && bitmap) displaced = SelectObject(dc, bitmap);
  }
  ~GuiMemoryDc() {
    if (!dc) return;
    if (displaced) SelectObject(dc, displaced);
    DeleteDC(dc);
  }
  GuiMemoryDc(const GuiMemoryDc&) = delete;
  GuiMemoryDc& operator=(const GuiMemoryDc&) = delete;

  // Null when it could not be made.
  HDC handle() const { return dc; }

private:
  HDC dc;
  HGDIOBJ displaced = nullptr;
};
