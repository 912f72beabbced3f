#include "gui/GuiFrameWindow.h"

#include <ole2.h>
#include <windows.h>

#include <new>

#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrame.h"
#include "gui/win32/GuiDropTarget.h"
#include "gui/win32/GuiWindowClass.h"
#include "gui/win32/GuiWindowDc.h"

// The window, whether it holds a use of the window class, the cursor found
// before the first change, and the drop target's registration.
struct GuiFrameWindow::Native {
  HWND window = nullptr;
  bool windowClassInUse = false;
  HCURSOR savedCursor = nullptr;
  bool cursorSaved = false;
  bool dropTargetRegistered = false;
};

namespace {

constexpr char kWindowTitle[] = "Window";

}  // namespace

GuiFrameWindow::GuiFrameWindow(GuiFrame& owningFrame) : frame(owningFrame), native(new (std::nothrow) Native) {}

GuiFrameWindow::~GuiFrameWindow() {
  if (!native) return;
  if (native->window) {
    // Messages sent while the window goes find no frame any more.
    SetWindowLongPtrA(native->window, GWLP_USERDATA, 0);
    DestroyWindow(native->window);
  }
  if (native->windowClassInUse) GuiWindowClass::unregisterWindowClass();
}

bool GuiFrameWindow::create(GuiNativeWindow parent, const GuiRect& size) {
  if (!parent || !native || !GuiWindowClass::registerWindowClass()) return false;
  native->window = CreateWindowExA(0, GuiWindowClass::className(), kWindowTitle, WS_CHILD | WS_VISIBLE, 0, 0,
                                   size.width(), size.height(), static_cast<HWND>(parent), nullptr,
                                   static_cast<HINSTANCE>(GuiWindowClass::moduleInstance()), nullptr);
  if (!native->window) {
    GuiWindowClass::unregisterWindowClass();
    return false;
  }
  native->windowClassInUse = true;
  SetWindowLongPtrA(native->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&frame));
  return true;
}

GuiNativeWindow GuiFrameWindow::handle() const { return native ? native->window : nullptr; }

void GuiFrameWindow::forget() {
  if (!native) return;
  // The host destroyed its window, and ours with it. Let go of the handle now,
  // while it is still ours: later it may name somebody else's window.
  if (native->dropTargetRegistered) RevokeDragDrop(native->window);
  native->dropTargetRegistered = false;
  SetWindowLongPtrA(native->window, GWLP_USERDATA, 0);
  native->window = nullptr;
}

void GuiFrameWindow::withContext(void (*work)(GuiDrawingContext&, void*), void* data) {
  if (!native || !native->window) return;
  GuiWindowDc dc(native->window);
  if (!dc.handle()) return;
  GuiDrawingContext context(&frame, dc.handle(), native->window);
  work(context, data);
}

GuiPoint GuiFrameWindow::pointerPosition() const {
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  GuiPoint p{cursor.x, cursor.y};
  RECT r;
  if (native && native->window && GetWindowRect(native->window, &r)) {
    p.x -= r.left;
    p.y -= r.top;
  }
  return p;
}

void GuiFrameWindow::setCursorShape(std::uint32_t shape) {
  if (!native) return;
  if (!native->cursorSaved) {
    native->savedCursor = GetCursor();
    native->cursorSaved = true;
  }
  static constexpr WORD kSystemCursors[] = {32514, 32644, 32645, 32646, 32643, 32642};
  if (shape == CursorDefault) {
    SetCursor(native->savedCursor);
  } else if (shape <= CursorSizeNorthWestSouthEast) {
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(kSystemCursors[shape - 1])));
  }
}

void GuiFrameWindow::handlePendingEvents() {}

void GuiFrameWindow::dispatchPendingPaint() {
  MSG message;
  if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

bool GuiFrameWindow::setDropTargetActive(bool on) {
  if (!native) return false;
  if (!native->dropTargetRegistered && !on) return true;
  if (!native->window) return false;
  if (on) {
    auto* target = new (std::nothrow) GuiDropTarget(&frame);
    if (!target || RegisterDragDrop(native->window, target) != S_OK) {
      delete target;
      return false;
    }
  } else {
    RevokeDragDrop(native->window);
  }
  native->dropTargetRegistered = on;
  return true;
}

bool GuiFrameWindow::isDropTargetRegistered() const { return native && native->dropTargetRegistered; }
