#pragma once
// The pixels that a one-pixel GDI pen sets for lines drawn with moveTo and
// lineTo, so that lines land where they do on Windows: each line leaves its
// end point out, a point exactly between two pixels goes to the lower
// coordinate, and a dotted pen sets three pixels and skips three, counting on
// across the lines of one path.

#include <cstdint>
#include <vector>

#include "gui/GuiPoint.h"

class X11PenTrace final {
public:
  // A new path starts here; a dotted pattern starts afresh.
  void moveTo(const GuiPoint& p);
  // The pixels from the current point up to p, without p, which becomes the
  // current point.
  std::vector<GuiPoint> lineTo(const GuiPoint& p, bool dotted);
  const GuiPoint& currentPoint() const { return current; }

private:
  GuiPoint current;
  std::int32_t patternStep = 0;
};
