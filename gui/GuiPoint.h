#pragma once
#include <cstdint>

// A position in pixels; views use window coordinates.
struct GuiPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};
