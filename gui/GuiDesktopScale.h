#pragma once
// The scale the desktop asks of windows inside the given parent (which may be
// null: the desktop's default then), or 0 when it says nothing.
//
// Platform seam: gui/win32/GuiDesktopScale.cpp (the parent's monitor DPI when
// the calling thread is per-monitor DPI aware; the awareness itself stays the
// host's) and gui/x11/GuiDesktopScale.cpp (the display's Xft.dpi).

#include "gui/GuiPlatformTypes.h"

float guiDesktopScale(GuiNativeWindow parent);
