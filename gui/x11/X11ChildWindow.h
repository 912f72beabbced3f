#pragma once
// The editor's child window inside the host's window, on a connection of its
// own, and the events that arrive for it (never keys: those reach the host's
// window, which passes them on through the editor's key opcodes). Its pixels
// are drawn in an image of its size on this side and shown by copying them to
// the window, so that what cairo draws lands on the same pixels whatever the
// server.

#include <X11/Xlib.h>
#include <cairo.h>

#include <cstdint>
#include <memory>

#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"
#include "gui/x11/X11Connection.h"

class X11ChildWindow final {
public:
  // What the window's events become.
  class Listener {
  public:
    virtual ~Listener() = default;
    // One call for all the exposures waiting, with the rectangle around them
    // (right and bottom excluded, as a paint's update rectangle).
    virtual void onExpose(const GuiRect& area) = 0;
    virtual void onButtonPress(const XButtonEvent& press) = 0;
    // The window is gone, destroyed with the host's window.
    virtual void onDestroyed() = 0;
  };

  // Null without a display, or when the parent names no window.
  static std::unique_ptr<X11ChildWindow> create(Window parent, std::int32_t width, std::int32_t height,
                                                Listener& listener);
  // Our child window with the id, not yet destroyed, or null.
  static X11ChildWindow* find(Window id);
  // Destroys the window unless the host's destruction took it already.
  ~X11ChildWindow();

  X11ChildWindow(const X11ChildWindow&) = delete;
  X11ChildWindow& operator=(const X11ChildWindow&) = delete;

  // Handles every event waiting on the connection; returns at once when none is.
  void processPendingEvents();
  // Handles the exposures waiting, and nothing else (a drag's paint).
  void processPendingExposures();

  bool exists() const { return alive; }
  Window id() const { return window; }
  Display* display() const { return connection->display(); }
  Visual* visual() const { return windowVisual; }
  std::int32_t width() const { return windowWidth; }
  std::int32_t height() const { return windowHeight; }
  // The window's pixels as drawn; a context on the window draws here.
  cairo_surface_t* pixels() const { return image; }
  // Copies the area of pixels() to the window and waits until the server has
  // shown it.
  void show(const GuiRect& area) const;

private:
  X11ChildWindow(std::unique_ptr<X11Connection> ownConnection, Listener& eventListener);
  void handle(XEvent& event);
  // One call to the listener for the exposures gathered, if any.
  void reportExposure();

  std::unique_ptr<X11Connection> connection;
  Listener& listener;
  Window window = 0;
  Visual* windowVisual = nullptr;
  int windowDepth = 0;
  cairo_surface_t* image = nullptr;
  std::int32_t windowWidth = 0;
  std::int32_t windowHeight = 0;
  bool alive = false;
  GuiRect exposed;
  bool exposurePending = false;
};
