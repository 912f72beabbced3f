#include "tests/gui/GuiTestSupport.h"

namespace {

constexpr char kHostClassName[] = "LumivaneTestHost";

GuiColour colourOf(std::uint32_t bgra) {
  return {std::uint8_t(bgra >> 16), std::uint8_t(bgra >> 8), std::uint8_t(bgra), 0};
}

void registerHostClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA description{};
  description.lpfnWndProc = DefWindowProcA;
  description.hInstance = GetModuleHandleA(nullptr);
  description.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  description.lpszClassName = kHostClassName;
  RegisterClassA(&description);
  registered = true;
}

}  // namespace

DibCanvas::DibCanvas(int width, int height, const GuiColour& colour)
    : canvasWidth(width), canvasHeight(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  memoryDc = CreateCompatibleDC(nullptr);
  bitmap = CreateDIBSection(memoryDc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  bits = static_cast<std::uint32_t*>(memory);
  previous = SelectObject(memoryDc, bitmap);
  fill(colour);
}

DibCanvas::~DibCanvas() {
  SelectObject(memoryDc, previous);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
}

GuiColour DibCanvas::pixel(int x, int y) const {
  GdiFlush();
  return colourOf(bits[y * canvasWidth + x]);
}

void DibCanvas::fill(const GuiColour& colour) {
  GdiFlush();
  const std::uint32_t value = std::uint32_t(colour.red) << 16 | std::uint32_t(colour.green) << 8 | colour.blue;
  for (int i = 0; i < canvasWidth * canvasHeight; ++i) bits[i] = value;
}

void DibCanvas::copyFromWindow(HWND window) {
  HDC windowDc = GetDC(window);
  BitBlt(memoryDc, 0, 0, canvasWidth, canvasHeight, windowDc, 0, 0, SRCCOPY);
  ReleaseDC(window, windowDc);
  GdiFlush();
}

int DibCanvas::count(const GuiColour& colour, const GuiRect& area) const {
  int found = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) found += pixel(x, y) == colour;
  }
  return found;
}

HostWindow::HostWindow(int x, int y, int width, int height) {
  registerHostClass();
  window = CreateWindowExA(0, kHostClassName, "Host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                           height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  pumpMessages();
}

HostWindow::~HostWindow() { destroy(); }

void HostWindow::destroy() {
  if (!window) return;
  DestroyWindow(window);
  window = nullptr;
  pumpMessages();
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The test program's own resources hold the test bitmaps.
GuiResourceSource testBitmaps() { return {GetModuleHandleA(nullptr)}; }

HWND windowOf(const GuiFrame& frame) { return static_cast<HWND>(frame.frameWindow()); }
