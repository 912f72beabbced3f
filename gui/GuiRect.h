#pragma once
#include <cstdint>

#include "gui/GuiPoint.h"

// A rectangle in pixels. Both the right and the bottom edge belong to it.
struct GuiRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  bool contains(const GuiPoint& p) const { return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom; }
  GuiRect offsetBy(const GuiPoint& d) const { return {left + d.x, top + d.y, right + d.x, bottom + d.y}; }
};
