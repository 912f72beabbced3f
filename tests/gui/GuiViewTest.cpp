#include "gui/GuiView.h"

#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/RecordingView.h"

TEST(GuiView, HitTestAndOverlapsIncludeTheRightAndBottomEdges) {
  GuiView view({10, 10, 20, 20});
  EXPECT_TRUE(view.hitTest({20, 20}));
  EXPECT_TRUE(view.hitTest({10, 10}));
  EXPECT_FALSE(view.hitTest({21, 20}));
  EXPECT_FALSE(view.hitTest({20, 21}));
  EXPECT_FALSE(view.hitTest({9, 15}));
  EXPECT_TRUE(view.overlaps({20, 0, 30, 10}));
  EXPECT_FALSE(view.overlaps({21, 0, 30, 10}));
  EXPECT_FALSE(view.overlaps({0, 0, 9, 30}));
  EXPECT_FALSE(view.overlaps({0, 21, 30, 30}));
  EXPECT_FALSE(view.overlaps({0, 0, 30, 9}));
  EXPECT_TRUE(view.overlaps({0, 20, 10, 30}));
  EXPECT_TRUE(view.overlaps({12, 12, 14, 14}));
}

TEST(GuiView, NewViewIsCleanMouseEnabledOpaqueAndUnhandledByDefault) {
  GuiView view({1, 2, 3, 4});
  EXPECT_FALSE(view.isDirty());
  EXPECT_TRUE(view.isMouseEnabled());
  EXPECT_FALSE(view.isTransparent());
  EXPECT_EQ(view.referenceCount(), 1);
  EXPECT_EQ(view.owningEditor(), nullptr);
  const GuiKeyStroke key{0, 11, 0};
  EXPECT_EQ(view.onKeyDown(key), -1);
  EXPECT_EQ(view.onKeyUp(key), -1);
  EXPECT_FALSE(view.onWheel(nullptr, {2, 3}, 1.0f));
  EXPECT_FALSE(view.onDrop(nullptr, 0, GuiDropKind::DropKindText, {2, 3}));
  EXPECT_TRUE(view.onAttached(nullptr));
  EXPECT_TRUE(view.onRemoved(nullptr));
}

TEST(GuiView, SetViewSizeMakesDirtyAndLeavesTheMouseArea) {
  GuiView view({0, 0, 10, 10});
  view.setViewSize({5, 5, 30, 30});
  EXPECT_TRUE(view.isDirty());
  GuiRect area;
  EXPECT_EQ(&view.mouseArea(area), &area);
  EXPECT_EQ(area.right, 10);
  view.setMouseArea({1, 2, 3, 4});
  view.mouseArea(area);
  EXPECT_EQ(area.left, 1);
  EXPECT_EQ(area.bottom, 4);
  EXPECT_EQ(view.viewSize().right, 30);
}

TEST(GuiView, RedrawIfDirtyDrawsOnceAndCleans) {
  RecordingView view({0, 0, 4, 4});
  TestCanvas canvas(8, 8);
  GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
  view.redrawIfDirty(context);
  EXPECT_EQ(view.draws, 0);
  view.setViewSize({1, 1, 5, 5});
  view.redrawIfDirty(context);
  view.redrawIfDirty(context);
  EXPECT_EQ(view.draws, 1);
  EXPECT_FALSE(view.isDirty());
  view.drawInRect(context, {100, 100, 101, 101});
  EXPECT_EQ(view.draws, 2);
}

TEST(GuiView, ReleaseDestroysAtZeroAndNeverTwice) {
  int destroyed = 0;
  auto* view = new RecordingView({0, 0, 1, 1}, ColourRed, &destroyed);
  view->retain();
  view->release();
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(view->referenceCount(), 1);
  view->release();
  EXPECT_EQ(destroyed, 1);
}
