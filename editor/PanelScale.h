#pragma once
// Which scale the panel draws at, first match winning: the factor a host (or
// a format binding) handed the editor; the LUMIVANE_SCALE environment
// variable, for hosts that say nothing; the desktop's scale for windows in the
// parent; else 1. Every factor becomes the nearest of GuiScale's. Reading the
// desktop's scale opens a connection to the display, so without a parent (the
// size a host asks for before opening) the last reading is used; each opening
// reads it afresh.

#include "gui/GuiPlatformTypes.h"
#include "gui/GuiScale.h"

struct PanelScaleRequest {
  bool fromHost = false;
  float hostFactor = 1.0f;
};

GuiScale choosePanelScale(const PanelScaleRequest& request, GuiNativeWindow parent);
