#include "gui/GuiBitmap.h"

#include <gtest/gtest.h>

#include "gui/GuiDrawingContext.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/resources/TestBitmaps.h"

namespace {

constexpr GuiColour kGrey{128, 128, 128, 0};

bool isCorner(int x, int y) { return (x == 0 || x == 5) && (y == 0 || y == 5); }

// What the 6 x 6 image holds at (x, y), read through an opaque copy.
GuiColour imagePixel(GuiBitmap& bitmap, int x, int y) {
  TestCanvas canvas(6, 6, ColourBlack);
  GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
  bitmap.drawOpaque(context, {0, 0, 6, 6}, {0, 0});
  return canvas.pixel(x, y);
}

}  // namespace

TEST(GuiBitmap, LoadsTheResourceWithItsSize) {
  auto* bitmap = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  EXPECT_EQ(bitmap->width(), 28);
  EXPECT_EQ(bitmap->height(), 28);
  EXPECT_EQ(bitmap->referenceCount(), 1);
  EXPECT_EQ(bitmap->keyColour(), ColourTransparentKey);
  bitmap->release();
}

TEST(GuiBitmap, TransparentDrawingLeavesKeyPixelsCopiesTheRestAndKeepsTheImage) {
  auto* bitmap = new GuiBitmap(testBitmaps(), kCornersBitmap);
  TestCanvas canvas(20, 20, kGrey);
  {
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    bitmap->drawTransparent(context, {4, 5, 10, 11}, {0, 0});
    bitmap->drawTransparent(context, {12, 5, 18, 11}, {0, 0});
  }
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      GuiColour expected = isCorner(x, y) ? kGrey : kCornersBody;
      if (x == kNearWhiteX && y == kNearWhiteY) expected = kNearWhite;
      EXPECT_EQ(canvas.pixel(4 + x, 5 + y), expected) << x << "," << y;
      EXPECT_EQ(canvas.pixel(12 + x, 5 + y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(canvas.count(kGrey, {0, 0, 20, 20}), 400 - 2 * 32);
  EXPECT_EQ(bitmap->masksBuilt(), 1);
  EXPECT_EQ(imagePixel(*bitmap, 0, 0), ColourWhite);
  EXPECT_EQ(imagePixel(*bitmap, 5, 5), ColourWhite);
  EXPECT_EQ(imagePixel(*bitmap, kNearWhiteX, kNearWhiteY), kNearWhite);
  EXPECT_EQ(imagePixel(*bitmap, 1, 1), kCornersBody);
  bitmap->release();
}

TEST(GuiBitmap, SourcePointSelectsThePartOfTheImageDrawn) {
  auto* bitmap = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  TestCanvas canvas(60, 20, ColourBlack);
  {
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    bitmap->drawOpaque(context, {0, 2, 28, 16}, {0, 14});
    bitmap->drawTransparent(context, {30, 2, 58, 16}, {0, 14});
  }
  EXPECT_EQ(canvas.count(kLowerHalf, {0, 2, 28, 16}), 28 * 14);
  EXPECT_EQ(canvas.count(kLowerHalf, {30, 2, 58, 16}), 28 * 14);
  EXPECT_EQ(canvas.count(kLowerHalf, {0, 0, 60, 20}), 2 * 28 * 14);
  bitmap->release();
}

TEST(GuiBitmap, MissingResourceGivesAnEmptyBitmapThatDrawsNothing) {
  auto* bitmap = new GuiBitmap(testBitmaps(), kMissingBitmap);
  EXPECT_EQ(bitmap->width(), 0);
  EXPECT_EQ(bitmap->height(), 0);
  TestCanvas canvas(8, 8, kGrey);
  {
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    bitmap->drawOpaque(context, {0, 0, 6, 6}, {0, 0});
    bitmap->drawTransparent(context, {0, 0, 6, 6}, {0, 0});
  }
  EXPECT_EQ(canvas.count(kGrey, {0, 0, 8, 8}), 64);
  bitmap->retain();
  bitmap->release();
  EXPECT_EQ(bitmap->referenceCount(), 1);
  bitmap->release();
}
