#include "gui/GuiFrameWindow.h"

#include <X11/cursorfont.h>

#include <cstdint>
#include <new>

#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrame.h"
#include "gui/x11/GuiFrameWindowNative.h"
#include "gui/x11/X11Pointer.h"
#include "gui/x11/X11Surface.h"

namespace {

// The X cursors standing in for the Windows cursors of the shapes 1 to 6.
constexpr unsigned kCursorGlyphs[] = {XC_watch, XC_sb_h_double_arrow,  XC_sb_v_double_arrow,
                                      XC_fleur, XC_bottom_left_corner, XC_bottom_right_corner};

}  // namespace

GuiFrameWindow::GuiFrameWindow(GuiFrame& owningFrame)
    : frame(owningFrame), native(new (std::nothrow) Native(owningFrame)) {}

// The cursor goes with the child's connection, which frees what it made.
GuiFrameWindow::~GuiFrameWindow() = default;

bool GuiFrameWindow::create(GuiNativeWindow parent, const GuiRect& size) {
  if (!parent || !native) return false;
  native->child = X11ChildWindow::create(static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent)), size.width(),
                                         size.height(), *native);
  return native->child != nullptr;
}

GuiNativeWindow GuiFrameWindow::handle() const { return native ? native->handle() : nullptr; }

void GuiFrameWindow::forget() {
  // The connection stays until the frame goes; the window itself is gone.
  if (native) native->forgotten = true;
}

void GuiFrameWindow::withContext(void (*work)(GuiDrawingContext&, void*), void* data) {
  if (native) native->withContext([&](GuiDrawingContext& context) { work(context, data); });
}

GuiPoint GuiFrameWindow::pointerPosition() const {
  const bool windowed = native && native->usable();
  Display* display = windowed ? native->child->display() : nullptr;
  X11PointerState pointer;
  queryPointer(display, pointer);
  if (!windowed) return pointer.onScreen;
  const GuiPoint origin = windowScreenOrigin(display, native->child->id());
  return {pointer.onScreen.x - origin.x, pointer.onScreen.y - origin.y};
}

void GuiFrameWindow::setCursorShape(std::uint32_t shape) {
  if (!native || !native->usable() || shape > CursorSizeNorthWestSouthEast) return;
  // The window shows its parent's cursor until it is given one of its own.
  if (shape == CursorDefault && !native->cursor) return;
  Display* display = native->child->display();
  const Window window = native->child->id();
  if (native->cursor) XFreeCursor(display, native->cursor);
  native->cursor = 0;
  if (shape == CursorDefault) {
    // The window takes its parent's cursor again, the one it had before.
    XUndefineCursor(display, window);
  } else {
    native->cursor = XCreateFontCursor(display, kCursorGlyphs[shape - 1]);
    XDefineCursor(display, window, native->cursor);
  }
  XFlush(display);
}

void GuiFrameWindow::handlePendingEvents() {
  if (!native || !native->child) return;
  // A press runs a control's whole drag; events that come meanwhile wait,
  // apart from exposures, as on Windows.
  if (frame.isHandlingPress()) {
    native->child->processPendingExposures();
  } else {
    native->child->processPendingEvents();
  }
}

void GuiFrameWindow::dispatchPendingPaint() {
  if (native && native->child) native->child->processPendingExposures();
}

bool GuiFrameWindow::setDropTargetActive(bool on) { return !on; }

bool GuiFrameWindow::isDropTargetRegistered() const { return false; }
