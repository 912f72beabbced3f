#pragma once
// The Win32 image of a GuiBitmap: the bitmap loaded from the module's
// resources and, after the first transparent draw, its monochrome mask.

#include <windows.h>

#include "gui/GuiBitmap.h"
#include "gui/win32/GuiGdiObject.h"

struct GuiBitmap::Image {
  GuiGdiObject<HBITMAP> bitmap;
  GuiGdiObject<HBITMAP> mask;
};
