#include "gui/GuiClock.h"

#include <windows.h>

std::uint32_t guiTickCount() { return static_cast<std::uint32_t>(GetTickCount()); }

void guiSleep(std::uint32_t milliseconds) { Sleep(milliseconds); }
