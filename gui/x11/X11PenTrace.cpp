#include "gui/x11/X11PenTrace.h"

#include <cstdlib>

namespace {

constexpr std::int32_t kDotLength = 3;

// The integer nearest to numerator / denominator (denominator > 0), halves
// going down.
std::int64_t roundHalfDown(std::int64_t numerator, std::int64_t denominator) {
  // ceil((2n - d) / 2d)
  const std::int64_t a = 2 * numerator - denominator;
  const std::int64_t b = 2 * denominator;
  return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

}  // namespace

void X11PenTrace::moveTo(const GuiPoint& p) {
  current = p;
  patternStep = 0;
}

std::vector<GuiPoint> X11PenTrace::lineTo(const GuiPoint& p, bool dotted) {
  const std::int64_t dx = std::int64_t(p.x) - current.x;
  const std::int64_t dy = std::int64_t(p.y) - current.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t steps = xMajor ? std::llabs(dx) : std::llabs(dy);
  const std::int64_t direction = (xMajor ? dx : dy) < 0 ? -1 : 1;
  std::vector<GuiPoint> pixels;
  pixels.reserve(static_cast<std::size_t>(steps));
  for (std::int64_t i = 0; i < steps; ++i) {
    const bool on = !dotted || (patternStep / kDotLength) % 2 == 0;
    patternStep = (patternStep + 1) % (2 * kDotLength);
    if (!on) continue;
    const std::int64_t major = direction * i;
    const std::int64_t minor = roundHalfDown(i * (xMajor ? dy : dx), steps);
    const std::int64_t x = xMajor ? major : minor;
    const std::int64_t y = xMajor ? minor : major;
    pixels.push_back({static_cast<std::int32_t>(current.x + x), static_cast<std::int32_t>(current.y + y)});
  }
  current = p;
  return pixels;
}
