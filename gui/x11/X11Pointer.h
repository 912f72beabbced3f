#pragma once
// The live pointer and keyboard state, asked of the server through one of our
// own connections: the given one or, without one, a short-lived connection
// (never the host's, whose errors are not ours to handle).

#include <X11/Xlib.h>

#include <cstdint>

#include "gui/GuiPoint.h"

struct X11PointerState {
  GuiPoint onScreen;
  // The toolkit's mouse and modifier bits (left 1, middle 2, right 4, shift
  // 8, control 16, alt 32).
  std::int32_t buttons = 0;
};

// False, with the pointer at (0, 0) and nothing held, without a display.
bool queryPointer(Display* ours, X11PointerState& state);
// The window's top-left corner on the screen; (0, 0) when there is no such window.
GuiPoint windowScreenOrigin(Display* ours, Window window);
