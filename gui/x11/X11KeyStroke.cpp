#include "gui/x11/X11KeyStroke.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

std::uint8_t virtualKeyOf(KeySym symbol) {
  switch (symbol) {
    case XK_Left:
    case XK_KP_Left: return VirtualKeyLeft;
    case XK_Up:
    case XK_KP_Up: return VirtualKeyUp;
    case XK_Right:
    case XK_KP_Right: return VirtualKeyRight;
    case XK_Down:
    case XK_KP_Down: return VirtualKeyDown;
    default: return 0;
  }
}

}  // namespace

GuiKeyStroke keyStrokeOf(const XKeyEvent& event) {
  XKeyEvent copy = event;
  char text[8] = {};
  KeySym symbol = NoSymbol;
  const int length = XLookupString(&copy, text, sizeof text, &symbol, nullptr);
  GuiKeyStroke key;
  key.virtualKey = virtualKeyOf(symbol);
  if (key.virtualKey == 0 && length == 1) key.character = static_cast<unsigned char>(text[0]);
  if (event.state & ShiftMask) key.modifiers |= KeyModifierShift;
  return key;
}
