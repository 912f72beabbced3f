#pragma once
// The factor between the toolkit's pixels (the panel's own coordinates, which
// views, layouts and bitmaps' sizes keep at every scale) and a window's
// pixels, with the one rounding rule both back ends use: a logical edge x
// lands on floor(x * factor + 0.5), so adjacent rectangles tile exactly and
// whole-pixel sizes come out the same everywhere.

#include <cmath>
#include <cstdint>

#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"

class GuiScale final {
public:
  // The supported factors in quarters: 1, 1.25, 1.5, 1.75, 2, 2.5 and 3.
  static constexpr std::int32_t kCount = 7;
  static constexpr std::int32_t kQuarters[kCount] = {4, 5, 6, 7, 8, 10, 12};

  constexpr GuiScale() = default;
  // The nearest supported factor, halves going up; NaN and anything below 1
  // give 1, anything above 3 gives 3.
  static GuiScale nearest(float factor) {
    if (!(factor > 1.0f)) return {};
    std::int32_t best = 0;
    for (std::int32_t i = 1; i < kCount; ++i) {
      if (static_cast<double>(factor) * 4.0 >= (kQuarters[i - 1] + kQuarters[i]) / 2.0) best = i;
    }
    return GuiScale(best);
  }
  static constexpr GuiScale ofIndex(std::int32_t i) { return GuiScale(i >= 0 && i < kCount ? i : 0); }

  constexpr std::int32_t index() const { return scaleIndex; }
  constexpr float factor() const { return static_cast<float>(kQuarters[scaleIndex]) / 4.0f; }
  constexpr bool isOne() const { return scaleIndex == 0; }
  constexpr bool operator==(const GuiScale& other) const { return scaleIndex == other.scaleIndex; }
  constexpr bool operator!=(const GuiScale& other) const { return scaleIndex != other.scaleIndex; }

  constexpr std::int32_t toDevice(std::int32_t logical) const { return floorDivide(logical * quarters() + 2, 4); }
  // The logical pixel whose window pixels hold the given one.
  constexpr std::int32_t toLogical(std::int32_t device) const { return floorDivide(4 * device + 1, quarters()); }
  constexpr GuiPoint toDevice(const GuiPoint& p) const { return {toDevice(p.x), toDevice(p.y)}; }
  constexpr GuiPoint toLogical(const GuiPoint& p) const { return {toLogical(p.x), toLogical(p.y)}; }
  constexpr GuiRect toDevice(const GuiRect& r) const {
    return {toDevice(r.left), toDevice(r.top), toDevice(r.right), toDevice(r.bottom)};
  }
  // The logical pixels that cover the window's pixels from (left, top) up to, without, (right, bottom).
  constexpr GuiRect coveringLogical(const GuiRect& r) const {
    return {toLogical(r.left), toLogical(r.top), toLogical(r.right - 1) + 1, toLogical(r.bottom - 1) + 1};
  }

private:
  constexpr explicit GuiScale(std::int32_t i) : scaleIndex(i) {}
  constexpr std::int32_t quarters() const { return kQuarters[scaleIndex]; }
  static constexpr std::int32_t floorDivide(std::int32_t a, std::int32_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
  }

  std::int32_t scaleIndex = 0;
};
