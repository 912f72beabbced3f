#include "gui/GuiDrawingContext.h"

#include <gtest/gtest.h>

#include <cstring>

#include "gui/GuiOffscreenContext.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

constexpr GuiColour kCanvas{10, 20, 30, 0};

bool onBorder(const GuiRect& r, int x, int y) {
  const bool inside = r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
  return inside && (x == r.left || x == r.right || y == r.top || y == r.bottom);
}

bool strictlyInside(const GuiRect& r, int x, int y) {
  return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

// Columns [first, last] that carry ink of the colour; -1 when none.
std::pair<int, int> inkColumns(const DibCanvas& canvas, const GuiColour& ink) {
  int first = -1, last = -1;
  for (int x = 0; x < canvas.width(); ++x) {
    for (int y = 0; y < canvas.height(); ++y) {
      if (canvas.pixel(x, y) != ink) continue;
      if (first < 0) first = x;
      last = x;
      break;
    }
  }
  return {first, last};
}

LOGFONTA selectedFont(HDC dc) {
  LOGFONTA font{};
  GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
  return font;
}

}  // namespace

TEST(GuiDrawingContext, FrameAndFillOfOneRectangleCoverBorderAndStrictInterior) {
  const GuiRect r{5, 4, 17, 12};
  DibCanvas outline(24, 20, kCanvas), filled(24, 20, kCanvas);
  {
    GuiDrawingContext context(nullptr, outline.dc(), nullptr);
    context.setLineColour(ColourRed);
    context.frameRect(r);
  }
  {
    GuiDrawingContext context(nullptr, filled.dc(), nullptr);
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
  DibCanvas canvas(20, 10, kCanvas);
  {
    GuiDrawingContext context(nullptr, canvas.dc(), nullptr);
    context.moveTo({2, 2});
    context.lineTo({12, 2});
    context.fillRect({2, 4, 6, 8});
  }
  EXPECT_EQ(canvas.count(ColourWhite, {0, 2, 20, 3}), 10);
  EXPECT_EQ(canvas.pixel(12, 2), kCanvas);
  EXPECT_EQ(canvas.count(ColourBlack, {0, 0, 20, 10}), 3 * 3);
}

TEST(GuiDrawingContext, DottedPenLeavesGapsWhereSolidPensDoNot) {
  DibCanvas canvas(60, 6, kCanvas);
  {
    GuiDrawingContext context(nullptr, canvas.dc(), nullptr);
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

TEST(GuiDrawingContext, DestroyingTheContextRestoresTheDeviceContextsObjectsAndDeletesItsOwn) {
  DibCanvas canvas(8, 8);
  HDC dc = canvas.dc();
  HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH), pen = GetCurrentObject(dc, OBJ_PEN);
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  HGDIOBJ ownBrush, ownPen, ownFont;
  {
    GuiDrawingContext context(nullptr, dc, nullptr);
    context.setFillColour(ColourCyan);
    context.setLineColour(ColourYellow);
    context.selectFont(3);
    context.selectFont(4);
    ownBrush = GetCurrentObject(dc, OBJ_BRUSH);
    ownPen = GetCurrentObject(dc, OBJ_PEN);
    ownFont = GetCurrentObject(dc, OBJ_FONT);
    EXPECT_NE(ownBrush, brush);
    EXPECT_NE(ownPen, pen);
    EXPECT_NE(ownFont, font);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GetObjectType(ownBrush), 0u);
  EXPECT_EQ(GetObjectType(ownPen), 0u);
  EXPECT_EQ(GetObjectType(ownFont), 0u);
}

struct FontCase {
  std::int32_t id, size, style;
  std::int32_t height, weight;
  const char* face;
  BYTE pitchAndFamily;
  bool italic, underline;
  std::int32_t recordedId;
};

TEST(GuiDrawingContext, SelectedFontsFollowTheFontTable) {
  const FontCase cases[] = {
      {9, 0, 0, -12, 700, "Arial", FF_SWISS | VARIABLE_PITCH, false, false, 0},
      {-1, 0, 0, -12, 700, "Arial", FF_SWISS | VARIABLE_PITCH, false, false, 0},
      {7, 0, FontStyleBold, -13, 700, "Symbol", FF_DECORATIVE | DEFAULT_PITCH, false, false, 7},
      {6, 0, 0, -9, 400, "Arial", FF_SWISS | VARIABLE_PITCH, false, false, 6},
      {1, 0, FontStyleItalic | FontStyleUnderline, -18, 400, "Arial", FF_SWISS | VARIABLE_PITCH, true, true, 1},
      {2, 20, FontStyleBold, -20, 700, "Arial", FF_SWISS | VARIABLE_PITCH, false, false, 2},
      {0, 0, FontStyleItalic, -12, 700, "Arial", FF_SWISS | VARIABLE_PITCH, true, false, 0},
  };
  DibCanvas canvas(8, 8);
  GuiDrawingContext context(nullptr, canvas.dc(), nullptr);
  for (const FontCase& c : cases) {
    SCOPED_TRACE(c.id);
    context.selectFont(c.id, c.size, c.style);
    const LOGFONTA font = selectedFont(canvas.dc());
    EXPECT_EQ(font.lfHeight, c.height);
    EXPECT_EQ(font.lfWeight, c.weight);
    EXPECT_STREQ(font.lfFaceName, c.face);
    EXPECT_EQ(font.lfPitchAndFamily, c.pitchAndFamily);
    EXPECT_EQ(font.lfItalic != 0, c.italic);
    EXPECT_EQ(font.lfUnderline != 0, c.underline);
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(context.fontId(), c.recordedId);
    EXPECT_EQ(context.fontSize(), -c.height);
  }
}

TEST(GuiDrawingContext, TextAlignsLeftOnePixelInCentredOrRight) {
  const GuiRect r{10, 4, 110, 24};
  auto drawWith = [&](DibCanvas& canvas, std::int32_t alignment) {
    GuiDrawingContext context(nullptr, canvas.dc(), nullptr);
    context.selectFont(1);
    context.setTextColour(ColourRed);
    context.drawText("HIM", r, false, alignment);
  };
  auto drawPlain = [&](DibCanvas& canvas, UINT format) {
    GuiDrawingContext context(nullptr, canvas.dc(), nullptr);
    context.selectFont(1);
    context.setTextColour(ColourRed);
    RECT area{r.left, r.top, r.right, r.bottom};
    DrawTextA(canvas.dc(), "HIM", -1, &area, format | DT_SINGLELINE | DT_VCENTER);
  };
  DibCanvas left(120, 30, kCanvas), other(120, 30, kCanvas), plainLeft(120, 30, kCanvas);
  DibCanvas centre(120, 30, kCanvas), right(120, 30, kCanvas), plainRight(120, 30, kCanvas);
  drawWith(left, TextAlignLeft);
  drawWith(other, 5);
  drawWith(centre, TextAlignCentre);
  drawWith(right, TextAlignRight);
  drawPlain(plainLeft, DT_LEFT);
  drawPlain(plainRight, DT_RIGHT);

  const auto leftInk = inkColumns(left, ColourRed), plainInk = inkColumns(plainLeft, ColourRed);
  ASSERT_GE(plainInk.first, 0);
  EXPECT_EQ(leftInk.first, plainInk.first + 1);
  EXPECT_EQ(inkColumns(other, ColourRed), leftInk);
  EXPECT_EQ(inkColumns(right, ColourRed), inkColumns(plainRight, ColourRed));
  const auto centreInk = inkColumns(centre, ColourRed);
  EXPECT_NEAR((centreInk.first + centreInk.second) / 2.0, (r.left + r.right) / 2.0, 2.0);
  EXPECT_GT(centreInk.first, leftInk.first + 10);
  EXPECT_LT(centreInk.second, inkColumns(right, ColourRed).second - 10);
}

TEST(GuiDrawingContext, OpaqueTextFillsItsCellWithTheFillColourAndIsNotClipped) {
  DibCanvas canvas(80, 30, kCanvas);
  {
    GuiDrawingContext context(nullptr, canvas.dc(), nullptr);
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
  SetCursorPos(321, 234);
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
  DibCanvas canvas(30, 20, ColourWhite);
  {
    GuiDrawingContext target(nullptr, canvas.dc(), nullptr);
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
