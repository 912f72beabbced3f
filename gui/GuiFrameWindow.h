#pragma once
// The native child window of a frame, inside the host's window, and what the
// frame and its controls need of the window system.
//
// Platform seam: portable header; gui/win32/GuiFrameWindow.cpp (a window of
// the module's window class, its window procedure and OLE drop target) and
// gui/x11/GuiFrameWindow.cpp (an X11 child window on a display connection of
// its own) define the operations and the struct Native.
//
// Events reach the frame as calls of its public operations, on the thread
// that made the window:
// - paint (exposure): drawInRect(context, the area to repaint);
// - a press of any mouse button: onMouseDown(context, where), where in window
//   pixels; the context is on the window and stays valid during the call,
//   since a control polls the mouse inside it until the left button is up;
// - the window destroyed from outside (the host destroyed its parent first):
//   onWindowDestroyed(); the frame then closes and the window is forgotten,
//   never destroyed again.
// Keys never come through the window, which takes no keyboard focus: the
// host's window keeps the keys, and the host passes them on through the
// editor's key opcodes.
// Nothing may reach the frame once the window object is being destroyed.

#include <cstdint>
#include <memory>

#include "gui/GuiPlatformTypes.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"

class GuiDrawingContext;
class GuiFrame;

class GuiFrameWindow final {
public:
  // Makes no window yet.
  explicit GuiFrameWindow(GuiFrame& owningFrame);
  // Destroys the window if it still exists, without telling the frame.
  ~GuiFrameWindow();

  GuiFrameWindow(const GuiFrameWindow&) = delete;
  GuiFrameWindow& operator=(const GuiFrameWindow&) = delete;

  // A visible child window of the parent at (0, 0), width(size) x height(size).
  // False, and no window, when the parent is null or names no usable window:
  // an invalid parent must never end the process.
  bool create(GuiNativeWindow parent, const GuiRect& size);
  // Null without a window.
  GuiNativeWindow handle() const;
  // The window system told us our window is gone: let go of the handle
  // without destroying anything.
  void forget();

  // Runs work(context, data) with a context drawing on the window, made and
  // ended around the call; does nothing without a window.
  void withContext(void (*work)(GuiDrawingContext& context, void* data), void* data);
  // The pointer relative to the window's top-left corner; screen coordinates without a window.
  GuiPoint pointerPosition() const;
  // A GuiCursorShape; CursorDefault puts back the cursor found at the first call.
  void setCursorShape(std::uint32_t shape);

  // Called at every idle of the frame: handles what the window system queued
  // for the window that no host loop delivers. Win32: nothing (the host's
  // message loop calls the window procedure). X11: every pending event of the
  // window's display connection.
  void handlePendingEvents();
  // Called while a control tracks the mouse, between polls: lets pending
  // paints through. Win32: dispatches one queued WM_PAINT of the thread. X11:
  // handles the pending events, as at idle.
  void dispatchPendingPaint();

  // Whether text and files dropped on the window reach the frame's onDrop.
  // X11 has no drop target: turning it on answers false.
  bool setDropTargetActive(bool on);
  bool isDropTargetRegistered() const;

  // The back end's own state, defined by the back end; its other classes
  // reach it here (a drawing context made for the frame finds the window's
  // display connection through frame.nativeWindow().nativeState()).
  struct Native;
  Native* nativeState() const { return native.get(); }

private:
  GuiFrame& frame;
  // Null when it could not be made: there is then no window.
  std::unique_ptr<Native> native;
};
