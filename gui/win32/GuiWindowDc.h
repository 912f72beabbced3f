#pragma once
// The device context of a window, got for one scope and released at its end.

#include <windows.h>

class GuiWindowDc final {
public:
  explicit GuiWindowDc(HWND targetWindow) : window(targetWindow), dc(GetDC(targetWindow)) {}
  ~GuiWindowDc() {
    if (dc) ReleaseDC(window, dc);
  }
  GuiWindowDc(const GuiWindowDc&) = delete;
  GuiWindowDc& operator=(const GuiWindowDc&) = delete;

  // Null when the window has none to give.
  HDC handle() const { return dc; }

private:
  HWND window;
  HDC dc;
};
