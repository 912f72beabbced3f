// GoogleTest first: Xlib's macros (None, Bool) would rename its types.
#include <gtest/gtest.h>

#include "gui/x11/X11Painter.h"

#include <memory>

#include "gui/x11/X11CairoImage.h"
#include "gui/x11/X11ChildWindow.h"
#include "gui/x11/X11Surface.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/x11/X11TestSupport.h"

namespace {

constexpr GuiColour kCanvas{10, 20, 30, 0};
constexpr GuiColour kBody{200, 40, 30, 0};
constexpr GuiColour kNearWhite{254, 255, 255, 0};

struct IgnoringListener : X11ChildWindow::Listener {
  void onExpose(const GuiRect&) override {}
  void onButtonPress(const XButtonEvent&) override {}
  void onKey(const XKeyEvent&) override {}
  void onDestroyed() override {}
};

// A child window in a host window, painted through cairo and shown.
class PaintedWindow : public ::testing::Test {
protected:
  void SetUp() override {
    child = X11ChildWindow::create(windowId(host.handle()), 100, 60, listener);
    ASSERT_NE(child, nullptr);
    child->processPendingEvents();
    cairo = cairo_create(child->pixels());
    X11Painter painter(cairo);
    painter.setBrush(kCanvas);
    painter.fillPixels({0, 0, 100, 60});
  }
  void TearDown() override { cairo_destroy(cairo); }
  // What the window shows once the whole image is shown.
  std::unique_ptr<TestCanvas> snapshot() {
    child->show({0, 0, 100, 60});
    auto shown = std::make_unique<TestCanvas>(100, 60);
    shown->copyFromWindow(nativeWindow(child->id()));
    return shown;
  }

  HostWindow host;
  IgnoringListener listener;
  std::unique_ptr<X11ChildWindow> child;
  cairo_t* cairo = nullptr;
};

// A 6 x 6 image of the body colour with white corners and one near-white pixel.
cairo_surface_t* cornersImage() {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 6, 6);
  cairo_t* paint = cairo_create(image);
  X11Painter painter(paint);
  painter.setBrush(kBody);
  painter.fillPixels({0, 0, 6, 6});
  painter.setBrush(ColourWhite);
  for (int corner : {0, 5}) {
    painter.fillPixels({corner, 0, corner + 1, 1});
    painter.fillPixels({corner, 5, corner + 1, 6});
  }
  painter.setBrush(kNearWhite);
  painter.fillPixels({3, 2, 4, 3});
  cairo_destroy(paint);
  return image;
}

}  // namespace

TEST_F(PaintedWindow, FillsCoverWholePixelsAndPenLinesLeaveTheirEndOut) {
  {
    X11Painter painter(cairo);
    painter.setBrush(ColourGreen);
    painter.fillPixels({6, 5, 17, 12});
    painter.setPen(ColourRed, false);
    painter.moveTo({5, 4});
    painter.lineTo({17, 4});
    painter.lineTo({17, 12});
    painter.setPen(ColourWhite, true);
    painter.moveTo({0, 30});
    painter.lineTo({50, 30});
  }
  const std::unique_ptr<TestCanvas> shown = snapshot();
  EXPECT_EQ(shown->count(ColourGreen, {0, 0, 100, 30}), 11 * 7);
  EXPECT_EQ(shown->count(ColourGreen, {6, 5, 17, 12}), 11 * 7);
  EXPECT_EQ(shown->count(ColourRed, {5, 4, 17, 5}), 12);
  EXPECT_EQ(shown->count(ColourRed, {17, 4, 18, 12}), 8);
  EXPECT_EQ(shown->pixel(17, 12), kCanvas);
  EXPECT_EQ(shown->count(ColourWhite, {0, 30, 100, 31}), 8 * 3 + 2);
  EXPECT_EQ(shown->pixel(3, 30), kCanvas);
}

TEST_F(PaintedWindow, KeyedImagesLeaveTheirKeyPixelsOutAndOpaqueCopiesTakeEverything) {
  cairo_surface_t* image = cornersImage();
  cairo_surface_t* keyed = copyWithTransparentKey(image, ColourTransparentKey);
  ASSERT_NE(keyed, nullptr);
  {
    X11Surface surface(cairo, child.get());
    surface.copyImage(keyed, {4, 5, 10, 11}, {0, 0}, false);
    surface.copyImage(image, {20, 5, 26, 11}, {0, 0}, true);
    surface.copyImage(image, {30, 5, 33, 8}, {3, 3}, true);
  }
  const std::unique_ptr<TestCanvas> shown = snapshot();
  EXPECT_EQ(shown->count(kCanvas, {4, 5, 10, 11}), 4);
  EXPECT_EQ(shown->count(kBody, {4, 5, 10, 11}), 31);
  EXPECT_EQ(shown->pixel(4 + 3, 5 + 2), kNearWhite);
  EXPECT_EQ(shown->count(ColourWhite, {20, 5, 26, 11}), 4);
  EXPECT_EQ(shown->count(kBody, {30, 5, 33, 8}), 8);
  EXPECT_EQ(shown->pixel(32, 7), ColourWhite);
  cairo_surface_destroy(keyed);
  cairo_surface_destroy(image);
}

TEST_F(PaintedWindow, OpaqueTextFillsTheCellThatDrawTextCentresOnItsRectangle) {
  {
    X11Painter painter(cairo);
    painter.selectFont("Arial", 9, false, false, false);
    painter.setBrush(ColourBlue);
    painter.setTextColour(ColourYellow);
    painter.drawText("120", {10, 20, 90, 40}, X11Painter::Align::Left, true);
  }
  const std::unique_ptr<TestCanvas> shown = snapshot();
  // The 9-pixel face's cell is 10 pixels high, from (20 + 40 - 10) / 2 = 25 on.
  int top = -1, bottom = -1, left = -1;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (shown->pixel(x, y) == kCanvas) continue;
      if (top < 0) top = y;
      bottom = y;
      if (left < 0 || x < left) left = x;
    }
  }
  EXPECT_EQ(top, 25);
  EXPECT_EQ(bottom, 34);
  EXPECT_EQ(left, 10);
  EXPECT_GT(shown->count(ColourYellow, {10, 25, 40, 35}), 10);
}
