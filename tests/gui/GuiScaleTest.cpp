#include <gtest/gtest.h>

#include "gui/GuiScale.h"

// Every window pixel maps back to the one toolkit pixel whose scaled block
// holds it, so a press hits the view drawn under it, and a repainted area's
// toolkit pixels cover it, at every scale.
TEST(GuiScale, WindowPixelsMapBackToTheToolkitPixelThatCoversThem) {
  for (std::int32_t i = 0; i < GuiScale::kCount; ++i) {
    const GuiScale scale = GuiScale::ofIndex(i);
    SCOPED_TRACE(scale.factor());
    for (std::int32_t device = -20; device < 500; ++device) {
      const std::int32_t logical = scale.toLogical(device);
      ASSERT_LE(scale.toDevice(logical), device);
      ASSERT_LT(device, scale.toDevice(logical + 1));
    }
    const GuiRect area{7, 11, 31, 40};
    const GuiRect covering = scale.toDevice(scale.coveringLogical(area));
    EXPECT_LE(covering.left, area.left);
    EXPECT_LE(covering.top, area.top);
    EXPECT_GE(covering.right, area.right);
    EXPECT_GE(covering.bottom, area.bottom);
  }
}
