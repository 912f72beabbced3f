#pragma once
// What only the X11 tests need beyond GuiTestSupport.h: the test's own
// connection (as a host has its own), window ids as the toolkit passes them,
// and keys typed on the display's keyboard.

#include <X11/Xlib.h>

#include <cstdint>

#include "gui/GuiPlatformTypes.h"

// The calling thread's connection, opened at the first call.
Display* testDisplay();

inline Window windowId(GuiNativeWindow window) {
  return static_cast<Window>(reinterpret_cast<std::uintptr_t>(window));
}
inline GuiNativeWindow nativeWindow(Window id) {
  return reinterpret_cast<GuiNativeWindow>(static_cast<std::uintptr_t>(id));
}

// A key of the display's keyboard down or up, through XTest.
void setKey(KeySym key, bool down);
