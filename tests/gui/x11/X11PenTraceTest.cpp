#include "gui/x11/X11PenTrace.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Pixels = std::vector<std::pair<int, int>>;

struct LineCase {
  GuiPoint from, to;
  Pixels pixels;
};

Pixels coordinates(const std::vector<GuiPoint>& points) {
  Pixels pixels;
  for (const GuiPoint& p : points) pixels.emplace_back(p.x, p.y);
  return pixels;
}

}  // namespace

TEST(X11PenTrace, LinesLeaveTheirEndOutAndPointsBetweenPixelsGoToTheLowerOne) {
  const LineCase cases[] = {
      {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},     {{0, 0}, {-4, 2}, {{0, 0}, {-1, 0}, {-2, 1}, {-3, 1}}},
      {{0, 0}, {4, -2}, {{0, 0}, {1, -1}, {2, -1}, {3, -2}}}, {{0, 0}, {2, -4}, {{0, 0}, {0, -1}, {1, -2}, {1, -3}}},
      {{2, 5}, {2, 1}, {{2, 5}, {2, 4}, {2, 3}, {2, 2}}},     {{3, 3}, {3, 3}, {}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.to.x << "," << c.to.y);
    X11PenTrace trace;
    trace.moveTo(c.from);
    EXPECT_EQ(coordinates(trace.lineTo(c.to, false)), c.pixels);
    EXPECT_EQ(trace.currentPoint().x, c.to.x);
    EXPECT_EQ(trace.currentPoint().y, c.to.y);
  }
}

TEST(X11PenTrace, DotsRunThreeOnThreeOffAcrossTheLinesOfOnePathAndRestartWithIt) {
  X11PenTrace trace;
  trace.moveTo({0, 0});
  EXPECT_EQ(coordinates(trace.lineTo({4, 0}, true)), (Pixels{{0, 0}, {1, 0}, {2, 0}}));
  EXPECT_EQ(coordinates(trace.lineTo({4, 6}, true)), (Pixels{{4, 2}, {4, 3}, {4, 4}}));
  trace.moveTo({0, 9});
  EXPECT_EQ(coordinates(trace.lineTo({8, 9}, true)), (Pixels{{0, 9}, {1, 9}, {2, 9}, {6, 9}, {7, 9}}));
}
