#pragma once
// The device context of one WM_PAINT: begun for one scope and ended at its end.

#include <windows.h>

class GuiPaintDc final {
public:
  explicit GuiPaintDc(HWND targetWindow) : window(targetWindow), dc(BeginPaint(targetWindow, &paint)) {}
  ~GuiPaintDc() { EndPaint(window, &paint); }
  GuiPaintDc(const GuiPaintDc&) = delete;
  GuiPaintDc& operator=(const GuiPaintDc&) = delete;

  HDC handle() const { return dc; }
  // The part of the window to paint.
  const RECT& area() const { return paint.rcPaint; }

private:
  HWND window;
  PAINTSTRUCT paint{};
  HDC dc;
};
