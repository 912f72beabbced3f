#include "gui/GuiKnob.h"

#include <gtest/gtest.h>

#include "gui/GuiBitmap.h"
#include "gui/GuiDrawingContext.h"
#include "gui/GuiSlider.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/resources/TestBitmaps.h"

namespace {
constexpr GuiRect kKnobRect{0, 0, 28, 28};

struct KnobWithHandle : ::testing::Test {
  KnobWithHandle() { handle->release(); }                            // the knob keeps its own reference
  GuiBitmap* handle = new GuiBitmap(testBitmaps(), kCornersBitmap);  // 6 x 6
  GuiKnob knob{kKnobRect, nullptr, 0, nullptr, handle, {0, 0}};
};

GuiPoint pointAt(GuiKnob& knob, float value) {
  knob.setValue(value);
  GuiPoint p;
  knob.pointForValue(p);
  return p;
}
}  // namespace

TEST_F(KnobWithHandle, SixPixelHandleSitsFivePixelsInsideTheRim) {
  EXPECT_EQ(knob.getHandleInset(), 5);
  EXPECT_EQ(handle->referenceCount(), 1);
}

TEST_F(KnobWithHandle, PointerPointsFollowTheValueClockwiseFromTheLowerLeft) {
  const struct {
    float value;
    GuiPoint point;
  } cases[] = {{0.0f, {8, 20}}, {0.25f, {6, 11}}, {0.5f, {14, 5}}, {0.75f, {22, 11}}, {1.0f, {20, 20}}};
  for (const auto& c : cases) {
    const GuiPoint p = pointAt(knob, c.value);
    EXPECT_EQ(p.x, c.point.x) << c.value;
    EXPECT_EQ(p.y, c.point.y) << c.value;
  }
}

TEST_F(KnobWithHandle, PositionsMapToValuesAndTheGapToItsNearerBound) {
  EXPECT_EQ(knob.valueForPoint({14, 27}), 0.0f);
  EXPECT_EQ(knob.valueForPoint({15, 27}), 1.0f);
  EXPECT_NEAR(knob.valueForPoint({0, 14}), 1.0f / 6.0f, 1e-6f);
  EXPECT_NEAR(knob.valueForPoint({14, 0}), 0.5f, 1e-6f);
  EXPECT_NEAR(knob.valueForPoint({27, 14}), 5.0f / 6.0f, 1e-6f);
}

TEST_F(KnobWithHandle, AnticlockwiseRangeMapsTheOtherWayRound) {
  knob.setStartAngle(-0.7853982f);  // lower right
  knob.setRangeAngle(4.712389f);
  EXPECT_NEAR(knob.valueForPoint({14, 0}), 0.5f, 1e-6f);
  EXPECT_NEAR(knob.valueForPoint({27, 14}), 1.0f / 6.0f, 1e-6f);
  EXPECT_EQ(knob.valueForPoint({15, 27}), 0.0f);
  EXPECT_EQ(knob.valueForPoint({13, 27}), 1.0f);
}

TEST_F(KnobWithHandle, NewHandleBitmapSetsTheInsetFromItsWidth) {
  GuiBitmap* wide = new GuiBitmap(testBitmaps(), kHalvesBitmap);  // 28 pixels wide
  knob.setHandleBitmap(wide);
  EXPECT_EQ(knob.getHandleInset(), 16);
  EXPECT_EQ(wide->referenceCount(), 2);
  knob.setHandleBitmap(nullptr);
  EXPECT_EQ(knob.getHandleInset(), 16);
  EXPECT_EQ(wide->referenceCount(), 1);
  wide->release();
}

TEST(GuiBitmapHolders, ABitmapHandedAgainToItsOnlyHolderStaysAlive) {
  GuiBitmap* body = new GuiBitmap(testBitmaps(), kCornersBitmap);
  GuiBitmap* knobHandle = new GuiBitmap(testBitmaps(), kCornersBitmap);
  GuiBitmap* sliderHandle = new GuiBitmap(testBitmaps(), kCornersBitmap);
  GuiKnob knob(kKnobRect, nullptr, 0, body, knobHandle, {0, 0});
  GuiSlider slider({0, 0, 70, 18}, nullptr, 0, 2, 62, sliderHandle, nullptr, {0, 0}, SliderOriginLeft);
  for (GuiBitmap* bitmap : {body, knobHandle, sliderHandle}) bitmap->release();  // the controls hold them alone
  knob.setBackground(body);
  knob.setHandleBitmap(knobHandle);
  slider.setHandleBitmap(sliderHandle);
  for (GuiBitmap* bitmap : {body, knobHandle, sliderHandle}) {
    EXPECT_EQ(bitmap->referenceCount(), 1);
    // A freed bitmap is a use after free here, which AddressSanitizer reports.
    TestCanvas canvas(6, 6);
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    bitmap->drawOpaque(context, {0, 0, 6, 6}, {0, 0});
    EXPECT_EQ(canvas.pixel(1, 1), kCornersBody) << "the image was deleted";
  }
}

TEST(GuiKnob, WithoutAHandleBitmapThePointerIsAShadowedLine) {
  GuiKnob knob(kKnobRect, nullptr, 0, nullptr, nullptr, {0, 0});
  EXPECT_EQ(knob.getHandleInset(), 3);
  knob.setValue(0.5f);
  TestCanvas canvas(28, 28);
  GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
  knob.draw(context);
  // Grey from (13, 3) to (13, 14), then white from (14, 2) to (14, 13); GDI leaves each end pixel out.
  for (int y = 3; y < 14; ++y) EXPECT_EQ(canvas.pixel(13, y), ColourGrey) << y;
  for (int y = 2; y < 13; ++y) EXPECT_EQ(canvas.pixel(14, y), ColourWhite) << y;
  EXPECT_EQ(canvas.pixel(13, 14), ColourBlack);
  EXPECT_EQ(canvas.pixel(14, 13), ColourBlack);
  EXPECT_FALSE(knob.isDirty());
}

TEST(GuiKnob, ChangingTheAnglesOrColoursMarksTheKnobForRedrawing) {
  GuiKnob knob(kKnobRect, nullptr, 0, nullptr, nullptr, {0, 0});
  knob.setDirty(false);
  knob.setHandleColour(ColourRed);
  EXPECT_TRUE(knob.isDirty());
  knob.setDirty(false);
  knob.setRangeAngle(-3.0f);
  EXPECT_TRUE(knob.isDirty());
}
