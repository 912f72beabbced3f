#pragma once
// The time source of the editor's idle pump, from the window system's own clock.

#include <cstdint>

// Milliseconds since some fixed start, wrapping after 2^32 like GetTickCount.
std::uint32_t guiTickCount();
// Gives up the thread for about the given time.
void guiSleep(std::uint32_t milliseconds);
