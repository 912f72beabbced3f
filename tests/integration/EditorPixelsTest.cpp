#include <ostream>

#include "tests/integration/EditorPanelFixture.h"

namespace {
constexpr GuiRect kTempoSlider{40, 101, 110, 119};
constexpr GuiRect kModeKnob{6, 31, 34, 59};

// The handle bitmap's interior is orange; nothing else on the panel is.
bool isOrange(std::uint32_t rgb) {
  const int red = rgb >> 16 & 0xFF, green = rgb >> 8 & 0xFF, blue = rgb & 0xFF;
  return red >= 200 && green >= 100 && green <= 210 && blue <= 110;
}

// The smallest rectangle (edges included) holding every orange pixel inside r.
GuiRect orangeBounds(const PanelPixels& pixels, const GuiRect& r) {
  GuiRect bounds{r.right, r.bottom, r.left - 1, r.top - 1};
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (!isOrange(pixels.at(x, y))) continue;
      bounds = {std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x),
                std::max(bounds.bottom, y)};
    }
  }
  return bounds;
}

struct HandleCase {
  float value;
  int handleLeft;  // in the view: the handle is six pixels wide
};

struct PointerCase {
  float value;
  GuiPoint point;  // the pointer's centre in the knob
};

void PrintTo(const HandleCase& c, std::ostream* out) { *out << "value " << c.value; }
void PrintTo(const PointerCase& c, std::ostream* out) { *out << "value " << c.value; }
}  // namespace

class SliderHandlePixels : public EditorPanel, public ::testing::WithParamInterface<HandleCase> {};

TEST_P(SliderHandlePixels, HandleStandsWhereItsValuePutsIt) {
  const HandleCase c = GetParam();
  host.setParameter(kTempo, c.value);
  ASSERT_EQ(host.getParameter(kTempo), c.value);
  host.dispatch(effEditIdle);
  const GuiRect bounds = orangeBounds(window->capture(), kTempoSlider);
  // The handle's stripe is rows 5 and 6 of the handle, columns 1 to 4, and the handle's top is row 3.
  EXPECT_EQ(bounds.left, kTempoSlider.left + c.handleLeft + 1);
  EXPECT_EQ(bounds.right, kTempoSlider.left + c.handleLeft + 4);
  EXPECT_EQ(bounds.top, kTempoSlider.top + 3 + 5);
  EXPECT_EQ(bounds.bottom, kTempoSlider.top + 3 + 6);
}

INSTANTIATE_TEST_SUITE_P(Values, SliderHandlePixels,
                         ::testing::Values(HandleCase{0.0f, 3}, HandleCase{0.5f, 31}, HandleCase{1.0f, 61}));

class KnobPointerPixels : public EditorPanel, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(KnobPointerPixels, PointerDotSitsOnItsCircle) {
  const PointerCase c = GetParam();
  host.setParameter(kFilterMode, c.value);
  host.dispatch(effEditIdle);
  ASSERT_EQ(control(kFilterMode).getValue(), c.value);
  const GuiRect bounds = orangeBounds(window->capture(), kModeKnob);
  // The dot's six pixels start three left of and above the point; its orange inside is the middle four.
  const int left = kModeKnob.left + c.point.x - 3;
  const int top = kModeKnob.top + c.point.y - 3;
  EXPECT_EQ(bounds.left, left + 1);
  EXPECT_EQ(bounds.right, left + 4);
  EXPECT_EQ(bounds.top, top + 1);
  EXPECT_EQ(bounds.bottom, top + 4);
}

INSTANTIATE_TEST_SUITE_P(Values, KnobPointerPixels,
                         ::testing::Values(PointerCase{0.0f, {8, 20}}, PointerCase{0.25f, {6, 11}},
                                           PointerCase{0.5f, {14, 5}}, PointerCase{0.75f, {22, 11}},
                                           PointerCase{1.0f, {20, 20}}));
