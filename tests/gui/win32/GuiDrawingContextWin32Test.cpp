// What GDI itself sees of a drawing context: the objects it selects, the
// fonts it asks for, and text placed exactly where DrawTextA places it.
#include "gui/GuiDrawingContext.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "gui/GuiOffscreenContext.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

constexpr GuiColour kCanvas{10, 20, 30, 0};

// Columns [first, last] that carry ink of the colour; -1 when none.
std::pair<int, int> inkColumns(const TestCanvas& canvas, const GuiColour& ink) {
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

HDC dcOf(const TestCanvas& canvas) { return static_cast<HDC>(canvas.surface()); }

}  // namespace

TEST(GuiDrawingContext, DestroyingTheContextRestoresTheDeviceContextsObjectsAndDeletesItsOwn) {
  TestCanvas canvas(8, 8);
  HDC dc = dcOf(canvas);
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

TEST(GuiOffscreenContext, ItsMemoryDeviceContextAndBitmapGoWithIt) {
  HDC memoryDc;
  HGDIOBJ bitmap;
  {
    GuiOffscreenContext offscreen(nullptr, 10, 10, ColourBlack);
    memoryDc = static_cast<HDC>(offscreen.surface());
    bitmap = GetCurrentObject(memoryDc, OBJ_BITMAP);
    ASSERT_EQ(GetObjectType(memoryDc), static_cast<DWORD>(OBJ_MEMDC));
    BITMAP description{};
    ASSERT_TRUE(GetObjectA(bitmap, sizeof description, &description));
    ASSERT_EQ(description.bmWidth, 10);
  }
  EXPECT_EQ(GetObjectType(memoryDc), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
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
  TestCanvas canvas(8, 8);
  GuiDrawingContext context(nullptr, dcOf(canvas), nullptr);
  for (const FontCase& c : cases) {
    SCOPED_TRACE(c.id);
    context.selectFont(c.id, c.size, c.style);
    const LOGFONTA font = selectedFont(dcOf(canvas));
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
  auto drawWith = [&](TestCanvas& canvas, std::int32_t alignment) {
    GuiDrawingContext context(nullptr, dcOf(canvas), nullptr);
    context.selectFont(1);
    context.setTextColour(ColourRed);
    context.drawText("HIM", r, false, alignment);
  };
  auto drawPlain = [&](TestCanvas& canvas, UINT format) {
    GuiDrawingContext context(nullptr, dcOf(canvas), nullptr);
    context.selectFont(1);
    context.setTextColour(ColourRed);
    RECT area{r.left, r.top, r.right, r.bottom};
    DrawTextA(dcOf(canvas), "HIM", -1, &area, format | DT_SINGLELINE | DT_VCENTER);
  };
  TestCanvas left(120, 30, kCanvas), other(120, 30, kCanvas), plainLeft(120, 30, kCanvas);
  TestCanvas centre(120, 30, kCanvas), right(120, 30, kCanvas), plainRight(120, 30, kCanvas);
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
