#include "gui/GuiHorizontalSlider.h"

#include <gtest/gtest.h>

namespace {
// The editor's slider without its bitmaps: a 70-pixel view whose track runs
// from left + 2 to left + 62, with a one-pixel handle.
GuiHorizontalSlider editorShapedSlider() {
  return GuiHorizontalSlider({40, 101, 110, 119}, nullptr, 5, 42, 102, nullptr, nullptr, {0, 0}, SliderOriginLeft);
}
}  // namespace

TEST(GuiSlider, HandleLimitsFollowTheTrackAndTheHandleOrigin) {
  GuiHorizontalSlider slider = editorShapedSlider();
  EXPECT_EQ(slider.getMinHandlePos(), 2);
  EXPECT_EQ(slider.getMaxHandlePos(), 2 + 60 + 1);
  slider.setHandleOrigin({1, 3});
  EXPECT_EQ(slider.getMinHandlePos(), 3);
  EXPECT_EQ(slider.getMaxHandlePos(), 64);
}

TEST(GuiSlider, VerticalTrackUsesTheOriginsYCoordinate) {
  GuiSlider slider({0, 10, 18, 80}, nullptr, 0, 12, 72, nullptr, nullptr, {0, 0}, SliderOriginTop);
  slider.setHandleOrigin({5, 4});
  EXPECT_EQ(slider.getMinHandlePos(), 2 + 4);
  EXPECT_EQ(slider.getMaxHandlePos(), 6 + 60 + 1);
}

TEST(GuiSlider, HasNoOffscreenUntilAttachedToAFrame) {
  GuiHorizontalSlider slider = editorShapedSlider();
  EXPECT_FALSE(slider.hasOffscreen());
  EXPECT_TRUE(slider.getFreeClick());
  EXPECT_EQ(slider.getFineFactor(), 10.0f);
}
