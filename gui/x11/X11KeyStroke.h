#pragma once
// An X key event as the toolkit's key: the arrow keys as the host's virtual
// keys, other keys as the character they type, shift as the host's bit.

#include <X11/Xlib.h>

#include "gui/GuiKeyStroke.h"

GuiKeyStroke keyStrokeOf(const XKeyEvent& event);
