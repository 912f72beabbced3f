#pragma once
// Where the plug-in's panel finds its five bitmaps in the module: defined once
// per platform, beside the way the bitmaps are built into the module.

#include "gui/GuiResourceSource.h"

GuiResourceSource editorBitmaps();
