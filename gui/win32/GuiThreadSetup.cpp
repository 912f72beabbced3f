#include "gui/GuiThreadSetup.h"

#include <ole2.h>

GuiThreadSetup::GuiThreadSetup() : initialised(SUCCEEDED(OleInitialize(nullptr))) {}

GuiThreadSetup::~GuiThreadSetup() {
  if (initialised) OleUninitialize();
}
