#pragma once
// The Win32 image of a GuiBitmap: the bitmap loaded from the module's
// resources and, after the first transparent draw, its monochrome mask; the
// same for each larger scale, loaded at the first draw at that scale.

#include <windows.h>

#include "gui/GuiBitmap.h"
#include "gui/GuiScale.h"
#include "gui/win32/GuiGdiObject.h"

struct GuiBitmap::Image {
  struct Scaled {
    GuiGdiObject<HBITMAP> bitmap;
    GuiGdiObject<HBITMAP> mask;
    bool loaded = false;
  };

  GuiGdiObject<HBITMAP> bitmap;
  GuiGdiObject<HBITMAP> mask;
  HINSTANCE module = nullptr;
  // Index i holds scale index i + 1.
  Scaled larger[GuiScale::kCount - 1];
};
