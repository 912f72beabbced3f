#pragma once
// Real X11 surroundings for the back end's tests on the virtual display: a
// top-level window standing in for a host's editor window, pixels read back
// from the server, and input that changes the server's real pointer and keys.

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "gui/GuiColour.h"
#include "gui/GuiPlatformTypes.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"

// The test's own connection, as a host has its own.
Display* testDisplay();

// Window ids as the toolkit passes them, and back.
inline Window windowId(GuiNativeWindow window) { return static_cast<Window>(reinterpret_cast<std::uintptr_t>(window)); }
inline GuiNativeWindow nativeWindow(Window id) {
  return reinterpret_cast<GuiNativeWindow>(static_cast<std::uintptr_t>(id));
}

// A visible top-level window at a fixed place on the screen, on testDisplay().
class X11HostWindow {
public:
  X11HostWindow(int x = 100, int y = 100, int width = 300, int height = 300);
  ~X11HostWindow();
  X11HostWindow(const X11HostWindow&) = delete;
  X11HostWindow& operator=(const X11HostWindow&) = delete;

  Window handle() const { return window; }
  // As a host closing its own window (and with it the children in it).
  void destroy();

private:
  Window window = 0;
};

// The pixels of a window's area as the server shows them.
class X11Snapshot {
public:
  X11Snapshot(Window window, const GuiRect& area);
  GuiColour pixel(int x, int y) const;

private:
  GuiRect area;
  std::vector<GuiColour> pixels;
};

// Input through the XTest extension.
void setButton(unsigned button, bool down);
void setKey(unsigned long keysym, bool down);
// Waits until the server has handled the test's requests.
void syncTestDisplay();
