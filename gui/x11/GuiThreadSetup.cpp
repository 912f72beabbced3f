#include "gui/GuiThreadSetup.h"

// X11 needs nothing set up per thread: each window has a connection of its own,
// used only on the thread that made it.
GuiThreadSetup::GuiThreadSetup() = default;

GuiThreadSetup::~GuiThreadSetup() = default;
