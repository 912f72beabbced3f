#include "gui/GuiDrawingContext.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gui/GuiOffscreenContext.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

constexpr GuiColour kCanvas{10, 20, 30, 0};

bool onBorder(const GuiRect& r, int x, int y) {
  const bool inside = r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
  return inside && (x == r.left || x == r.right || y == r.top || y == r.bottom);
}

bool strictlyInside(const GuiRect& r, int x, int y) { return r.left < x && x < r.right && r.top < y && y < r.bottom; }

// The smallest rectangle holding every pixel of the colour (right and bottom inclusive).
GuiRect inkBox(const TestCanvas& canvas, const GuiColour& ink) {
  GuiRect box{canvas.width(), canvas.height(), -1, -1};
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.pixel(x, y) != ink) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
    }
  }
  return box;
}

}  // namespace

TEST(GuiDrawingContext, FrameAndFillOfOneRectangleCoverBorderAndStrictInterior) {
  const GuiRect r{5, 4, 17, 12};
  TestCanvas outline(24, 20, kCanvas), filled(24, 20, kCanvas);
  {
    GuiDrawingContext context(nullptr, outline.surface(), nullptr);
    context.setLineColour(ColourRed);
    context.frameRect(r);
  }
  {
    GuiDrawingContext context(nullptr, filled.surface(), nullptr);
    context.setFillColour(ColourGreen);
    context.fillRect(r);
  }
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 24; ++x) {
      EXPECT_EQ(outline.pixel(x, y), onBorder(r, x, y) ? ColourRed : kCanvas) << x << "," << y;
      EXPECT_EQ(filled.pixel(x, y), strictlyInside(r, x, y) ? ColourGreen : kCanvas) << x << "," << y;
    }
  }
}

TEST(GuiDrawingContext, FreshContextDrawsWhiteLinesAndBlackFillsAndLinesEndBeforeTheirLastPixel) {
  TestCanvas canvas(20, 10, kCanvas);
  {
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    context.moveTo({2, 2});
    context.lineTo({12, 2});
    context.fillRect({2, 4, 6, 8});
  }
  EXPECT_EQ(canvas.count(ColourWhite, {0, 2, 20, 3}), 10);
  EXPECT_EQ(canvas.pixel(12, 2), kCanvas);
  EXPECT_EQ(canvas.count(ColourBlack, {0, 0, 20, 10}), 3 * 3);
}

TEST(GuiDrawingContext, DottedPenLeavesGapsWhereSolidPensDoNot) {
  TestCanvas canvas(60, 6, kCanvas);
  {
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    context.setLineStyle(LineStyleDotted);
    context.moveTo({0, 1});
    context.lineTo({50, 1});
    context.setLineStyle(2);
    context.moveTo({0, 3});
    context.lineTo({50, 3});
  }
  const int dotted = canvas.count(ColourWhite, {0, 1, 50, 2});
  EXPECT_GT(dotted, 5);
  EXPECT_LT(dotted, 40);
  EXPECT_EQ(canvas.count(ColourWhite, {0, 3, 50, 4}), 50);
}

TEST(GuiDrawingContext, TextSitsInItsBoxAsAligned) {
  const GuiRect r{10, 4, 110, 24};
  auto inkOf = [&](std::int32_t alignment) {
    TestCanvas canvas(120, 30, kCanvas);
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    context.selectFont(1);
    context.setTextColour(ColourRed);
    context.drawText("HIM", r, false, alignment);
    return inkBox(canvas, ColourRed);
  };
  const GuiRect left = inkOf(TextAlignLeft), centre = inkOf(TextAlignCentre), right = inkOf(TextAlignRight);
  EXPECT_GE(left.left, r.left + 1);
  EXPECT_LE(left.left, r.left + 4);
  EXPECT_EQ(inkOf(5).left, left.left);  // unknown alignments are left
  EXPECT_NEAR((centre.left + centre.right) / 2.0, (r.left + r.right) / 2.0, 2.0);
  EXPECT_LE(right.right, r.right - 1);
  EXPECT_GE(right.right, r.right - 5);
  for (const GuiRect& ink : {left, centre, right}) {
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (r.top + r.bottom) / 2.0, 2.0);
  }
}

TEST(GuiDrawingContext, OpaqueTextFillsItsCellWithTheFillColourAndIsNotClipped) {
  TestCanvas canvas(80, 30, kCanvas);
  {
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    context.selectFont(1);
    context.setFillColour(ColourBlue);
    context.setTextColour(ColourYellow);
    // A rectangle far too small for the text: nothing is clipped to it.
    context.drawText("WWW", {4, 10, 8, 20}, true, TextAlignLeft);
  }
  EXPECT_GT(canvas.count(ColourBlue, {0, 0, 80, 30}), 20);
  EXPECT_GT(canvas.count(ColourYellow, {9, 0, 80, 30}), 20);
}

TEST(GuiDrawingContext, ContextWithoutWindowReportsTheCursorInScreenCoordinates) {
  movePointer({321, 234});
  GuiDrawingContext context(nullptr, nullptr, nullptr);
  GuiPoint where;
  context.readMousePosition(where);
  EXPECT_EQ(where.x, 321);
  EXPECT_EQ(where.y, 234);
  HostWindow host(300, 200, 100, 100);
  GuiDrawingContext windowContext(nullptr, nullptr, host.handle());
  windowContext.readMousePosition(where);
  EXPECT_EQ(where.x, 21);
  EXPECT_EQ(where.y, 34);
}

TEST(GuiOffscreenContext, StartsEntirelyInItsBackgroundColourAndBlitsFromTheSourcePoint) {
  TestCanvas canvas(30, 20, ColourWhite);
  {
    GuiDrawingContext target(nullptr, canvas.surface(), nullptr);
    GuiOffscreenContext black(nullptr, 10, 10, ColourBlack);
    black.blitTo(target, {2, 3, 12, 13}, {0, 0});
    GuiOffscreenContext magenta(nullptr, 7, 5, ColourMagenta);
    magenta.setFillColour(ColourCyan);
    magenta.fillRect({2, 0, 7, 5});  // fills x 3..6
    magenta.blitTo(target, {15, 3, 19, 8}, {2, 0});
  }
  EXPECT_EQ(canvas.count(ColourBlack, {2, 3, 12, 13}), 100);
  EXPECT_EQ(canvas.count(ColourBlack, {0, 0, 30, 20}), 100);
  EXPECT_EQ(canvas.count(ColourMagenta, {15, 3, 16, 8}), 5);
  EXPECT_EQ(canvas.count(ColourCyan, {16, 4, 19, 8}), 3 * 4);
  EXPECT_EQ(canvas.count(ColourWhite, {19, 0, 30, 20}), 11 * 20);
}
