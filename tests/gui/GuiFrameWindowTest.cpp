#include "gui/GuiFrame.h"

#include <gtest/gtest.h>

#include <memory>

#include "gui/GuiBitmap.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/RecordingView.h"
#include "tests/gui/resources/TestBitmaps.h"

TEST(GuiFrameWindow, PaintAndButtonMessagesReachTheFrameAndItsViews) {
  HostWindow host;
  GuiFrame frame({0, 0, 120, 80}, host.handle(), nullptr);
  auto* background = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  frame.setBackground(background);
  background->release();
  auto* view = new RecordingView({40, 10, 60, 30}, ColourBlue);
  frame.addView(view);
  paintNow(frame);
  EXPECT_FALSE(frame.isFirstDrawPending());
  EXPECT_EQ(view->draws, 1);

  TestCanvas shown(120, 80);
  shown.copyFromWindow(frame.frameWindow());
  EXPECT_EQ(shown.count(ColourBlue, {40, 10, 60, 30}), 20 * 20);
  EXPECT_EQ(shown.count(kUpperHalf, {0, 0, 28, 14}), 28 * 14);
  EXPECT_EQ(shown.count(kLowerHalf, {0, 14, 28, 28}), 28 * 14);

  sendPress(frame, 1, {45, 20});
  sendPress(frame, 3, {60, 30});
  sendPress(frame, 2, {50, 11});
  sendRelease(frame, 1, {45, 20});
  sendPress(frame, 1, {61, 20});
  ASSERT_EQ(view->presses.size(), 3u);
  EXPECT_EQ(view->presses[0].x, 45);
  EXPECT_EQ(view->presses[0].y, 20);
  EXPECT_EQ(view->presses[1].x, 60);
  EXPECT_EQ(view->presses[2].y, 11);
}

TEST(GuiFrameWindow, PartialPaintDrawsTheBackgroundFromTheSameSpotAndOnlyOverlappingViews) {
  HostWindow host;
  GuiFrame frame({0, 0, 60, 40}, host.handle(), nullptr);
  auto* background = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  frame.setBackground(background);
  background->release();
  auto* nearView = new RecordingView({30, 0, 40, 10}, ColourBlue);
  auto* farView = new RecordingView({50, 30, 59, 39}, ColourGreen);
  frame.addView(nearView);
  frame.addView(farView);
  paintNow(frame);
  const GuiRect part{10, 10, 35, 20};
  paintNow(frame, &part);
  EXPECT_EQ(nearView->draws, 2);
  EXPECT_EQ(farView->draws, 1);
  TestCanvas shown(60, 40);
  shown.copyFromWindow(frame.frameWindow());
  EXPECT_EQ(shown.count(kUpperHalf, {10, 10, 28, 14}), 18 * 4);
  EXPECT_EQ(shown.count(kLowerHalf, {10, 14, 28, 20}), 18 * 6);
}

TEST(GuiFrameWindow, IdleDrawsNothingBeforeTheFirstPaintThenOnlyDirtyViews) {
  HostWindow host;
  GuiFrame frame({0, 0, 100, 60}, host.handle(), nullptr);
  auto* clean = new RecordingView({0, 0, 20, 20});
  auto* changing = new RecordingView({30, 0, 50, 20}, ColourGreen);
  frame.addView(clean);
  frame.addView(changing);
  discardPendingPaint(frame);
  changing->setDirty(true);
  frame.idle();
  EXPECT_EQ(changing->draws, 0);

  paintNow(frame);
  EXPECT_EQ(changing->draws, 1);
  changing->setDirty(true);
  frame.idle();
  frame.idle();
  EXPECT_EQ(changing->draws, 2);
  EXPECT_EQ(clean->draws, 1);
  EXPECT_FALSE(frame.isAnyViewDirty());
  TestCanvas shown(100, 60);
  shown.copyFromWindow(frame.frameWindow());
  EXPECT_EQ(shown.count(ColourGreen, {30, 0, 50, 20}), 400);

  frame.setDirty(true);
  frame.idle();
  EXPECT_EQ(clean->draws, 2);
  EXPECT_EQ(changing->draws, 3);
}

TEST(GuiFrameWindow, HostDestroyingItsWindowFirstLeavesTheFrameClosed) {
  auto host = std::make_unique<HostWindow>();
  auto frame = std::make_unique<GuiFrame>(GuiRect{0, 0, 50, 50}, host->handle(), nullptr);
  auto* view = new RecordingView({0, 0, 10, 10});
  frame->addView(view);
  paintNow(*frame);
  host->destroy();
  pumpEvents(frame.get());
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(frame->hostWindow(), nullptr);
  EXPECT_EQ(frame->frameWindow(), nullptr);
  view->setDirty(true);
  frame->idle();
  TestCanvas canvas(4, 4);
  GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
  frame->redrawIfDirty(context);
  EXPECT_EQ(view->draws, 1);
}

TEST(GuiFrameWindow, FrameOwnsTheBackgroundReferenceItTakes) {
  auto* background = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  {
    GuiFrame frame({0, 0, 10, 10}, nullptr, nullptr);
    frame.setBackground(background);
    EXPECT_EQ(background->referenceCount(), 2);
    frame.setBackground(background);
    EXPECT_EQ(background->referenceCount(), 2);
  }
  EXPECT_EQ(background->referenceCount(), 1);
  background->release();
}

TEST(GuiFrameWindow, CursorPositionIsRelativeToTheFrameWindow) {
  HostWindow host(200, 150, 100, 100);
  GuiFrame frame({0, 0, 50, 50}, host.handle(), nullptr);
  movePointer({230, 170});
  GuiPoint where;
  EXPECT_TRUE(frame.cursorPosition(where));
  EXPECT_EQ(where.x, 30);
  EXPECT_EQ(where.y, 20);
}

TEST(GuiFrameWindow, RealMouseInputReachesTheViewAndShowsInTheButtonState) {
  HostWindow host(100, 100, 200, 200);
  GuiFrame frame({0, 0, 150, 150}, host.handle(), nullptr);
  auto* view = new RecordingView({40, 40, 80, 80});
  frame.addView(view);
  pumpEvents(&frame);
  movePointer({100 + 50, 100 + 60});
  pumpEvents(&frame);

  TestCanvas canvas(4, 4);
  GuiDrawingContext context(&frame, canvas.surface(), frame.frameWindow());
  ASSERT_TRUE(setModifier(TestModifier::Shift, true));
  setLeftButton(true);
  EXPECT_EQ(context.readMouseButtons(), MouseButtonLeft | ModifierShift);
  GuiPoint where;
  context.readMousePosition(where);
  EXPECT_EQ(where.x, 50);
  EXPECT_EQ(where.y, 60);
  pumpEvents(&frame);
  setLeftButton(false);
  ASSERT_TRUE(setModifier(TestModifier::Shift, false));
  pumpEvents(&frame);
  EXPECT_EQ(context.readMouseButtons(), 0);
  ASSERT_EQ(view->presses.size(), 1u);
  EXPECT_EQ(view->presses[0].x, 50);
  EXPECT_EQ(view->presses[0].y, 60);
}
