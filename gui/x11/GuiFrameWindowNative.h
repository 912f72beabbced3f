#pragma once
// The X11 state of a frame's window, for the back end's classes and the
// toolkit tests' X11 support: the child window on its own connection, and
// what its events become for the frame.

#include <cairo.h>

#include <cstdint>
#include <memory>

#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrame.h"
#include "gui/GuiFrameWindow.h"
#include "gui/x11/X11ChildWindow.h"
#include "gui/x11/X11Surface.h"

// The child window on its own connection, and what its events become for the frame.
struct GuiFrameWindow::Native final : X11ChildWindow::Listener {
  explicit Native(GuiFrame& owningFrame) : frame(owningFrame) {}

  void onExpose(const GuiRect& area) override {
    withContext([&](GuiDrawingContext& context) { frame.paintWindowArea(context, area); });
  }
  void onButtonPress(const XButtonEvent& press) override {
    // Buttons 4 to 7 are wheel turns, which reach the editor from the host, if at all.
    if (press.button < Button1 || press.button > Button3) return;
    withContext([&](GuiDrawingContext& context) { frame.onMouseDown(context, {press.x, press.y}); });
  }
  void onDestroyed() override { frame.onWindowDestroyed(); }

  bool usable() const { return child && !forgotten && child->exists(); }
  GuiNativeWindow handle() const {
    return usable() ? reinterpret_cast<GuiNativeWindow>(static_cast<std::uintptr_t>(child->id())) : nullptr;
  }
  template <typename Work>
  void withContext(Work&& work) {
    if (!usable()) return;
    cairo_t* cairo = cairo_create(child->pixels());
    {
      X11Surface surface(cairo, child.get());
      GuiDrawingContext context(&frame, &surface, handle());
      work(context);
    }
    cairo_destroy(cairo);
  }

  GuiFrame& frame;
  std::unique_ptr<X11ChildWindow> child;
  bool forgotten = false;
  Cursor cursor = 0;
};
