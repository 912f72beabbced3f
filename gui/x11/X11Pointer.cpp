#include "gui/x11/X11Pointer.h"

#include <memory>

#include "gui/x11/X11Connection.h"

namespace {

std::int32_t toolkitBits(unsigned mask) {
  std::int32_t bits = 0;
  if (mask & Button1Mask) bits |= 1;
  if (mask & Button2Mask) bits |= 2;
  if (mask & Button3Mask) bits |= 4;
  if (mask & ShiftMask) bits |= 8;
  if (mask & ControlMask) bits |= 16;
  if (mask & Mod1Mask) bits |= 32;
  return bits;
}

// Runs ask with our connection, or with one opened for the question.
template <typename Ask>
bool withDisplay(Display* ours, Ask&& ask) {
  if (ours) return ask(ours);
  const std::unique_ptr<X11Connection> temporary = X11Connection::open();
  return temporary && ask(temporary->display());
}

}  // namespace

bool queryPointer(Display* ours, X11PointerState& state) {
  state = {};
  return withDisplay(ours, [&](Display* display) {
    Window root, child;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask)) {
      return false;
    }
    state.onScreen = {rootX, rootY};
    state.buttons = toolkitBits(mask);
    return true;
  });
}

GuiPoint windowScreenOrigin(Display* ours, Window window) {
  GuiPoint origin;
  if (!window) return origin;
  withDisplay(ours, [&](Display* display) {
    int x = 0, y = 0;
    Window child;
    // A window that is gone fails the request; our connection records the error.
    if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) return false;
    origin = {x, y};
    return true;
  });
  return origin;
}
