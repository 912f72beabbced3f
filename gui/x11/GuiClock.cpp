#include "gui/GuiClock.h"

#include <time.h>

std::uint32_t guiTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  // Wraps like GetTickCount: only differences of tick counts mean anything.
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}

void guiSleep(std::uint32_t milliseconds) {
  const timespec pause{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
}
