#include "tests/gui/GuiTestSupport.h"

#include <windows.h>

#include <cstdio>

#include "gui/GuiFrame.h"

namespace {

constexpr char kHostClassName[] = "LumivaneTestHost";
// Waits of 10 ms for a modifier pressed on the display to show in Wine.
constexpr int kModifierWaits = 300;

GuiColour colourOf(std::uint32_t bgra) {
  return {std::uint8_t(bgra >> 16), std::uint8_t(bgra >> 8), std::uint8_t(bgra), 0};
}

// Once per program, also when host windows open on several threads at once.
void registerHostClass() {
  static const ATOM registered = [] {
    WNDCLASSA description{};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    description.lpszClassName = kHostClassName;
    return RegisterClassA(&description);
  }();
  static_cast<void>(registered);
}

HWND windowOf(GuiFrame& frame) { return static_cast<HWND>(frame.frameWindow()); }

void sendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

int virtualKeyOf(TestModifier modifier) {
  switch (modifier) {
    case TestModifier::Shift: return VK_SHIFT;
    case TestModifier::Control: return VK_CONTROL;
    case TestModifier::Alt: return VK_MENU;
  }
  return 0;
}

const char* xdotoolNameOf(TestModifier modifier) {
  switch (modifier) {
    case TestModifier::Shift: return "shift";
    case TestModifier::Control: return "ctrl";
    case TestModifier::Alt: return "alt";
  }
  return "";
}

}  // namespace

// A 32-bit top-down DIB section selected into its own memory device context.
struct TestCanvas::Native {
  HDC memoryDc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  std::uint32_t* bits = nullptr;
};

TestCanvas::TestCanvas(int width, int height, const GuiColour& colour)
    : canvasWidth(width), canvasHeight(height), native(std::make_unique<Native>()) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  native->memoryDc = CreateCompatibleDC(nullptr);
  native->bitmap = CreateDIBSection(native->memoryDc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  native->bits = static_cast<std::uint32_t*>(memory);
  native->previous = SelectObject(native->memoryDc, native->bitmap);
  fill(colour);
}

TestCanvas::~TestCanvas() {
  SelectObject(native->memoryDc, native->previous);
  DeleteObject(native->bitmap);
  DeleteDC(native->memoryDc);
}

GuiNativeSurface TestCanvas::surface() const { return native->memoryDc; }

GuiColour TestCanvas::pixel(int x, int y) const {
  GdiFlush();
  return colourOf(native->bits[y * canvasWidth + x]);
}

void TestCanvas::fill(const GuiColour& colour) {
  GdiFlush();
  const std::uint32_t value = std::uint32_t(colour.red) << 16 | std::uint32_t(colour.green) << 8 | colour.blue;
  for (int i = 0; i < canvasWidth * canvasHeight; ++i) native->bits[i] = value;
}

void TestCanvas::copyFromWindow(GuiNativeWindow window) {
  HWND source = static_cast<HWND>(window);
  HDC windowDc = GetDC(source);
  BitBlt(native->memoryDc, 0, 0, canvasWidth, canvasHeight, windowDc, 0, 0, SRCCOPY);
  ReleaseDC(source, windowDc);
  GdiFlush();
}

struct HostWindow::Native {
  HWND window = nullptr;
};

HostWindow::HostWindow(int x, int y, int width, int height) : native(std::make_unique<Native>()) {
  registerHostClass();
  native->window = CreateWindowExA(0, kHostClassName, "Host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                                   height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  pumpEvents();
}

HostWindow::~HostWindow() { destroy(); }

GuiNativeWindow HostWindow::handle() const { return native->window; }

void HostWindow::destroy() {
  if (!native->window) return;
  DestroyWindow(native->window);
  native->window = nullptr;
  pumpEvents();
}

int HostWindow::childCount() const {
  int children = 0;
  for (HWND child = GetWindow(native->window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;
  return children;
}

// The test program's own resources hold the test bitmaps.
GuiResourceSource testBitmaps() { return {GetModuleHandleA(nullptr)}; }

// The frame's window belongs to this thread, so its messages are in the same queue.
void pumpEvents(GuiFrame*) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void invalidate(GuiFrame& frame, const GuiRect* part) {
  if (!part) {
    InvalidateRect(windowOf(frame), nullptr, FALSE);
    return;
  }
  const RECT area{part->left, part->top, part->right, part->bottom};
  InvalidateRect(windowOf(frame), &area, FALSE);
}

void paintNow(GuiFrame& frame, const GuiRect* part) {
  invalidate(frame, part);
  UpdateWindow(windowOf(frame));
}

void discardPendingPaint(GuiFrame& frame) { ValidateRect(windowOf(frame), nullptr); }

void sendPress(GuiFrame& frame, int button, const GuiPoint& where) {
  static constexpr UINT kMessages[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  static constexpr WPARAM kFlags[] = {MK_LBUTTON, MK_MBUTTON, MK_RBUTTON};
  SendMessageA(windowOf(frame), kMessages[button - 1], kFlags[button - 1], MAKELPARAM(where.x, where.y));
}

void sendRelease(GuiFrame& frame, int button, const GuiPoint& where) {
  static constexpr UINT kMessages[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
  SendMessageA(windowOf(frame), kMessages[button - 1], 0, MAKELPARAM(where.x, where.y));
}

void movePointer(const GuiPoint& screen) {
  // Absolute input coordinates run from 0 to 65536 over the screen; round up
  // so that scaling back lands on the pixel.
  const LONG width = GetSystemMetrics(SM_CXSCREEN);
  const LONG height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (screen.x * 65536 + width - 1) / width;
  input.mi.dy = (screen.y * 65536 + height - 1) / height;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void setLeftButton(bool down) { sendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

// Modifiers go through the display's own keyboard (xdotool, which Wine starts
// as a Unix program and does not wait for): Wine takes the modifier state of
// every pointer event from the X server, so a modifier that only Wine knew of
// would be dropped at the next mouse move.
bool setModifier(TestModifier modifier, bool down) {
  char command[64];
  std::snprintf(command, sizeof command, "/usr/bin/xdotool %s %s", down ? "keydown" : "keyup", xdotoolNameOf(modifier));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  for (int wait = 0; wait < kModifierWaits; ++wait) {
    if (isModifierDown(modifier) == down) return true;
    Sleep(10);
  }
  return false;
}

bool isModifierDown(TestModifier modifier) { return (GetAsyncKeyState(virtualKeyOf(modifier)) & 0x8000) != 0; }
