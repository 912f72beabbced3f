#include "tools/standin/EditorWindow.h"

#include <windows.h>

#include "tools/standin/HostKeyCodes.h"

struct EditorWindow::Native {
  HWND window = nullptr;
  // The editor's own child window, once found.
  HWND panel = nullptr;
};

namespace {
constexpr char kWindowClass[] = "LumivaneStandInHostWindow";
constexpr DWORD kPumpInterval = 10;

bool held(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

// A key message for the host's window, handed on as the editor's key opcode.
ForwardedKey forwardKey(StandInHost& host, const MSG& message) {
  const auto key = static_cast<int>(message.wParam);
  const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
  const VstInt32 character = arrow ? 0 : static_cast<VstInt32>(MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0x7F);
  const float modifiers = hostKeyModifiers(held(VK_SHIFT), held(VK_MENU), held(VK_CONTROL));
  ForwardedKey forwarded;
  forwarded.opcode = message.message == WM_KEYDOWN ? effEditKeyDown : effEditKeyUp;
  forwarded.character = character;
  forwarded.virtualKey = arrow ? kHostArrowKeys[key - VK_LEFT] : 0;
  forwarded.answer = host.dispatch(forwarded.opcode, forwarded.character, forwarded.virtualKey, nullptr, modifiers);
  return forwarded;
}

ATOM registerHostClass() {
  static const ATOM atom = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass);
  }();
  return atom;
}
}  // namespace

EditorWindow::EditorWindow(StandInHost& standInHost, int screenX, int screenY)
    : host(standInHost), native(std::make_unique<Native>()) {
  ERect* rect = nullptr;
  standInHost.dispatch(effEditGetRect, 0, 0, &rect);
  if (rect == nullptr || registerHostClass() == 0) return;
  const int width = rect->right - rect->left;
  const int height = rect->bottom - rect->top;
  HWND& window = native->window;
  window = CreateWindowExA(WS_EX_TOPMOST, kWindowClass, "Lumivane VST", WS_POPUP | WS_VISIBLE, screenX, screenY, width,
                           height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return;
  // Keyboard input goes to the active window, as in a host that has the focus.
  SetForegroundWindow(window);
  SetFocus(window);
  host.resizeEditorWindow = [this](int newWidth, int newHeight) {
    return SetWindowPos(native->window, nullptr, 0, 0, newWidth, newHeight,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
  };
  reopenEditor();
}

EditorWindow::~EditorWindow() {
  host.resizeEditorWindow = nullptr;
  // A plug-in closed with its editor open has taken its window with it.
  if (native->panel != nullptr && host.effect() != nullptr) closeEditor();
  if (native->window != nullptr) DestroyWindow(native->window);
}

void* EditorWindow::hostWindow() const { return native->window; }

int EditorWindow::panelCount() const {
  int children = 0;
  for (HWND child = FindWindowExA(native->window, nullptr, nullptr, nullptr); child != nullptr;
       child = FindWindowExA(native->window, child, nullptr, nullptr)) {
    ++children;
  }
  return children;
}

bool EditorWindow::reopenEditor() {
  openResult = host.dispatch(effEditOpen, 0, 0, native->window);
  native->panel = FindWindowExA(native->window, nullptr, nullptr, nullptr);
  runFor(100);
  return native->panel != nullptr;
}

void EditorWindow::closeEditor() {
  host.dispatch(effEditClose);
  native->panel = nullptr;
  pumpAndIdle();
}

ScreenPoint EditorWindow::panelScreenOrigin() const {
  POINT origin{0, 0};
  ClientToScreen(native->panel, &origin);
  return {origin.x, origin.y};
}

void EditorWindow::pumpAndIdle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) && message.hwnd == native->window) {
      keys.push_back(forwardKey(host, message));
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  // A host idles only a plug-in it has open.
  if (host.effect() != nullptr) host.dispatch(effEditIdle);
}

void EditorWindow::runFor(unsigned milliseconds) {
  const DWORD start = GetTickCount();
  do {
    pumpAndIdle();
    Sleep(kPumpInterval);
  } while (GetTickCount() - start < milliseconds);
}

PanelPixels EditorWindow::capture() const {
  PanelPixels pixels;
  // The panel may have been made again (at a new scale) since it was found.
  HWND panel = native->panel ? FindWindowExA(native->window, nullptr, nullptr, nullptr) : nullptr;
  RECT client{};
  if (panel == nullptr || !GetClientRect(panel, &client)) return pixels;
  pixels.width = client.right;
  pixels.height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC windowDc = GetDC(panel);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  HBITMAP section = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section != nullptr) {
    HGDIOBJ previous = SelectObject(memoryDc, section);
    BitBlt(memoryDc, 0, 0, pixels.width, pixels.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    pixels.rgb.assign(source, source + static_cast<std::size_t>(pixels.width) * pixels.height);
    for (std::uint32_t& p : pixels.rgb) p &= 0xFFFFFFu;
    SelectObject(memoryDc, previous);
    DeleteObject(section);
  }
  DeleteDC(memoryDc);
  ReleaseDC(panel, windowDc);
  return pixels;
}
