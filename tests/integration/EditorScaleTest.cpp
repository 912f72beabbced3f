#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <ostream>

#include "tests/integration/EditorPanelFixture.h"

namespace {

struct SizeCase {
  float factor;
  int width;
  int height;
};

void PrintTo(const SizeCase& c, std::ostream* out) { *out << "factor " << c.factor; }

ERect reportedRect(StandInHost& host) {
  ERect* rect = nullptr;
  host.dispatch(effEditGetRect, 0, 0, &rect);
  return rect ? *rect : ERect{};
}

VstIntPtr sendScale(StandInHost& host, float factor) {
  return host.dispatch(effVendorSpecific, kContentScaleIndex, kContentScaleValue, nullptr, factor);
}

// A 24-bit BMP file as rows from the top, 0xRRGGBB.
PanelPixels readBmp(const char* path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  PanelPixels pixels;
  if (file.size() < 54) return pixels;
  const auto word = [&](std::size_t at) {
    return static_cast<std::int32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24);
  };
  pixels.width = word(18);
  pixels.height = word(22);
  const std::size_t stride = (static_cast<std::size_t>(pixels.width) * 3 + 3) & ~std::size_t{3};
  if (file.size() < 54 + stride * static_cast<std::size_t>(pixels.height)) return {};
  for (int y = 0; y < pixels.height; ++y) {
    const std::size_t row = 54 + stride * static_cast<std::size_t>(pixels.height - 1 - y);
    for (int x = 0; x < pixels.width; ++x) {
      const std::size_t p = row + 3 * static_cast<std::size_t>(x);
      pixels.rgb.push_back(static_cast<std::uint32_t>(file[p] | file[p + 1] << 8 | file[p + 2] << 16));
    }
  }
  return pixels;
}

}  // namespace

class ScaleFactorSizes : public ::testing::TestWithParam<SizeCase> {};

// Every factor becomes the nearest supported one, whole pixels by the panel's rounding.
TEST_P(ScaleFactorSizes, TheHostsFactorSizesThePanel) {
  const SizeCase c = GetParam();
  StandInHost host{editorPlugin().entry()};
  ASSERT_NE(host.open(), nullptr);
  EXPECT_EQ(sendScale(host, c.factor), 1);
  const ERect rect = reportedRect(host);
  EXPECT_EQ(rect.right - rect.left, c.width);
  EXPECT_EQ(rect.bottom - rect.top, c.height);
  // Other vendor-specific requests are not ours.
  EXPECT_EQ(host.dispatch(effVendorSpecific, kContentScaleIndex, 0, nullptr, 2.0f), 0);
}

INSTANTIATE_TEST_SUITE_P(Factors, ScaleFactorSizes,
                         ::testing::Values(SizeCase{1.0f, 150, 272}, SizeCase{1.25f, 188, 340},
                                           SizeCase{1.5f, 225, 408}, SizeCase{1.75f, 263, 476},
                                           SizeCase{2.0f, 300, 544}, SizeCase{2.5f, 375, 680}, SizeCase{3.0f, 450, 816},
                                           SizeCase{0.5f, 150, 272}, SizeCase{1.4f, 225, 408}, SizeCase{2.2f, 300, 544},
                                           SizeCase{2.25f, 375, 680}, SizeCase{4.0f, 450, 816},
                                           SizeCase{std::numeric_limits<float>::quiet_NaN(), 150, 272},
                                           SizeCase{-2.0f, 150, 272}));

class EditorPanelAt2x : public EditorPanel {
protected:
  void beforeEditorOpens() override { ASSERT_EQ(sendScale(host, 2.0f), 1); }
};

TEST_F(EditorPanelAt2x, ThePictureIsTheCommittedOne) {
  const PanelPixels reference = readBmp(LUMIVANE_PANEL_2X_REFERENCE);
  ASSERT_EQ(reference.width, 300);
  ASSERT_EQ(reference.height, 544);
  window->runFor(200);
  const PanelPixels shown = window->capture();
  ASSERT_EQ(shown.width, reference.width);
  ASSERT_EQ(shown.height, reference.height);
  EXPECT_EQ(shown.differingFrom(reference), 0);
}

// Window pixels are twice the panel's: a press and a drag land on the same
// control, and move it as far, as half of them would at 1x.
TEST_F(EditorPanelAt2x, APressAndADragReachTheControlUnderThem) {
  // The tempo slider's handle stands at 71..77 for 0.5; 15 pixels are a quarter of its travel.
  InputScript().drag(onScreen(2 * 73, 2 * 110), onScreen(2 * 88, 2 * 110)).playOn(*window);
  EXPECT_FLOAT_EQ(host.getParameter(kTempo), 0.75f);
  EXPECT_EQ(shownText(kTempo), shortDisplay(kTempo));
  // Linear knob mode: 200 of the panel's pixels are the whole range.
  host.setParameter(kFilterMode, 0.0f);
  window->runFor(50);
  InputScript().drag(onScreen(2 * 20, 2 * 45), onScreen(2 * 70, 2 * 45)).playOn(*window);
  EXPECT_FLOAT_EQ(host.getParameter(kFilterMode), 0.25f);
  EXPECT_EQ(control(kFilterMode).getValue(), host.getParameter(kFilterMode));
}

// A factor that comes while the panel is open: the host is asked for the new
// size, and the panel is drawn again at it.
TEST_F(EditorPanel, AFactorSentWhileOpenResizesThroughTheHost) {
  ASSERT_EQ(sendScale(host, 2.0f), 1);
  window->runFor(200);
  std::vector<HostCall> resizes;
  for (const HostCall& call : host.calls()) {
    if (call.opcode == audioMasterSizeWindow) resizes.push_back(call);
  }
  ASSERT_EQ(resizes.size(), 1u);
  EXPECT_EQ(resizes[0].index, 300);
  EXPECT_EQ(resizes[0].value, 544);
  const ERect rect = reportedRect(host);
  EXPECT_EQ(rect.right, 300);
  EXPECT_EQ(rect.bottom, 544);
  EXPECT_TRUE(window->isOpen());
  EXPECT_EQ(editor().editorFrame()->scale().factor(), 2.0f);
  const PanelPixels shown = window->capture();
  EXPECT_EQ(shown.width, 300);
  EXPECT_EQ(shown.height, 544);
  EXPECT_EQ(shown.rgb, readBmp(LUMIVANE_PANEL_2X_REFERENCE).rgb);
  // The same factor again changes nothing.
  host.clearCalls();
  ASSERT_EQ(sendScale(host, 2.0f), 1);
  EXPECT_TRUE(host.calls().empty());
}
