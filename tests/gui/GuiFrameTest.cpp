#include "gui/GuiFrame.h"

#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/RecordingView.h"

namespace {

// A frame without a window, as the routing tests need no pixels.
struct WindowlessFrame : ::testing::Test {
  GuiFrame frame{{0, 0, 100, 100}, nullptr, nullptr};
  TestCanvas canvas{4, 4};
  GuiDrawingContext context{nullptr, canvas.surface(), nullptr};

  RecordingView* add(const GuiRect& r) {
    auto* view = new RecordingView(r);
    EXPECT_TRUE(frame.addView(view));
    return view;
  }
};

const GuiKeyStroke kUpArrow{0, 12, 0};

}  // namespace

TEST_F(WindowlessFrame, PressWhereTwoViewsTouchGoesToTheOneAddedLater) {
  RecordingView* first = add({10, 10, 20, 20});
  RecordingView* second = add({20, 10, 30, 20});
  frame.onMouseDown(context, {20, 15});
  EXPECT_TRUE(first->presses.empty());
  ASSERT_EQ(second->presses.size(), 1u);
  EXPECT_EQ(second->presses[0].x, 20);
  frame.onMouseDown(context, {19, 15});
  EXPECT_EQ(first->presses.size(), 1u);
  EXPECT_EQ(second->presses.size(), 1u);
}

TEST_F(WindowlessFrame, PressSkipsViewsThatAreNotMouseEnabled) {
  RecordingView* below = add({0, 0, 50, 50});
  RecordingView* above = add({10, 10, 40, 40});
  above->setMouseEnabled(false);
  frame.onMouseDown(context, {20, 20});
  EXPECT_EQ(below->presses.size(), 1u);
  EXPECT_TRUE(above->presses.empty());
  below->setMouseEnabled(false);
  frame.onMouseDown(context, {20, 20});
  EXPECT_EQ(below->presses.size(), 1u);
}

TEST_F(WindowlessFrame, AnyPressEndsTheFocus) {
  RecordingView* focused = add({0, 0, 10, 10});
  frame.setFocusView(focused);
  EXPECT_EQ(frame.focusedView(), focused);
  frame.onMouseDown(context, {90, 90});
  EXPECT_EQ(frame.focusedView(), nullptr);
  EXPECT_EQ(focused->focusLosses, 1);
  frame.setFocusView(focused);
  frame.setFocusView(focused);
  EXPECT_EQ(focused->focusLosses, 2);
}

TEST_F(WindowlessFrame, KeysGoToTheFocusViewFirstElseToTheLastViewThatTakesThem) {
  RecordingView* first = add({0, 0, 10, 10});
  RecordingView* taker = add({10, 0, 20, 10});
  RecordingView* last = add({20, 0, 30, 10});
  taker->keyAnswer = 1;
  EXPECT_EQ(frame.onKeyDown(kUpArrow), 1);
  EXPECT_EQ(last->keysDown.size(), 1u);
  EXPECT_EQ(taker->keysDown.size(), 1u);
  EXPECT_TRUE(first->keysDown.empty());

  first->keyAnswer = 7;
  frame.setFocusView(first);
  EXPECT_EQ(frame.onKeyDown(kUpArrow), 7);
  EXPECT_EQ(frame.onKeyUp(kUpArrow), 7);
  EXPECT_EQ(taker->keysDown.size(), 1u);
  EXPECT_TRUE(last->keysUp.empty());

  first->keyAnswer = -1;
  taker->keyAnswer = -1;
  EXPECT_EQ(frame.onKeyDown(kUpArrow), -1);
  EXPECT_EQ(first->keysDown.size(), 3u);  // as the focus view, then once more in the list
}

TEST_F(WindowlessFrame, DropsGoToMouseEnabledViewsUnderThePointUnlessAViewHasTheFocus) {
  RecordingView* taker = add({0, 0, 50, 50});
  RecordingView* disabled = add({0, 0, 50, 50});
  disabled->setMouseEnabled(false);
  taker->acceptsDrops = true;
  char text[] = "hello";
  char* items[] = {text};
  EXPECT_TRUE(frame.onDrop(items, 6, GuiDropKind::DropKindText, {50, 50}));
  EXPECT_EQ(taker->droppedText, "hello");
  EXPECT_EQ(disabled->drops, 0);
  EXPECT_FALSE(frame.onDrop(items, 6, GuiDropKind::DropKindText, {51, 50}));
  frame.setFocusView(taker);
  EXPECT_FALSE(frame.onDrop(items, 6, GuiDropKind::DropKindText, {5, 5}));
  EXPECT_EQ(taker->drops, 1);
}

TEST_F(WindowlessFrame, ViewListGrowsInStepsOfTenAndKeepsItsOrder) {
  EXPECT_EQ(frame.viewCapacity(), 0);
  std::vector<RecordingView*> added;
  for (int i = 0; i < 21; ++i) {
    added.push_back(add({i, 0, i + 1, 1}));
    const int expected = i < 10 ? 10 : i < 20 ? 20 : 30;
    EXPECT_EQ(frame.viewCapacity(), expected) << i;
  }
  EXPECT_EQ(frame.viewCount(), 21);
  EXPECT_EQ(frame.viewAt(-1), nullptr);
  EXPECT_EQ(frame.viewAt(21), nullptr);
  EXPECT_EQ(frame.viewAt(20), added[20]);
  EXPECT_EQ(added[3]->attachedTo, &frame);
  EXPECT_EQ(added[3]->attachedFrame(), &frame);

  int destroyed = 0;
  auto* outsider = new RecordingView({0, 0, 1, 1}, ColourRed, &destroyed);
  EXPECT_TRUE(frame.removeView(outsider, true));
  EXPECT_EQ(frame.viewCount(), 21);
  EXPECT_EQ(outsider->removedFrom, nullptr);
  EXPECT_FALSE(frame.isChild(outsider));
  outsider->release();

  added[5]->retain();
  EXPECT_TRUE(frame.removeView(added[5], true));
  EXPECT_EQ(frame.viewCount(), 20);
  EXPECT_EQ(frame.viewAt(5), added[6]);
  EXPECT_EQ(added[5]->removedFrom, &frame);
  EXPECT_EQ(added[5]->referenceCount(), 1);
  EXPECT_FALSE(frame.isChild(added[5]));
  added[5]->release();
}

TEST_F(WindowlessFrame, RemovingAllViewsTellsAndReleasesThemAndEndsTheFocus) {
  int destroyed = 0;
  auto* kept = new RecordingView({0, 0, 1, 1}, ColourRed, &destroyed);
  auto* dropped = new RecordingView({0, 0, 1, 1}, ColourRed, &destroyed);
  frame.addView(kept);
  frame.addView(dropped);
  kept->retain();
  frame.setFocusView(kept);
  frame.removeAllViews(true);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(kept->removedFrom, &frame);
  EXPECT_EQ(kept->focusLosses, 1);
  EXPECT_EQ(frame.focusedView(), nullptr);
  EXPECT_EQ(frame.viewCount(), 0);
  EXPECT_EQ(frame.viewCapacity(), 0);
  kept->release();
  EXPECT_EQ(destroyed, 2);
}

TEST_F(WindowlessFrame, RemovingTheFocusViewEndsTheFocus) {
  RecordingView* focused = add({0, 0, 10, 10});
  frame.setFocusView(focused);
  frame.removeView(focused, true);
  EXPECT_EQ(frame.focusedView(), nullptr);
  EXPECT_EQ(frame.onKeyDown(kUpArrow), -1);
}

TEST_F(WindowlessFrame, WheelGoesToTheViewUnderTheCursorWithTheCursorPosition) {
  RecordingView* target = add({40, 40, 60, 60});
  RecordingView* disabled = add({50, 50, 70, 70});
  disabled->setMouseEnabled(false);
  movePointer({45, 47});
  EXPECT_TRUE(frame.onWheel(&context, {0, 0}, 2.5f));
  EXPECT_EQ(target->wheels, 1);
  EXPECT_EQ(target->lastWheelWhere.x, 45);
  EXPECT_EQ(target->lastWheelWhere.y, 47);
  EXPECT_FLOAT_EQ(target->lastWheelDistance, 2.5f);
  movePointer({55, 55});
  EXPECT_EQ(frame.viewUnderCursor(), disabled);
  movePointer({95, 95});
  EXPECT_EQ(frame.viewUnderCursor(), nullptr);
  EXPECT_FALSE(frame.onWheel(&context, {45, 47}, 1.0f));
}

TEST_F(WindowlessFrame, DrawingPaintsTheViewsInListOrderAndEndsTheFirstDrawPending) {
  TestCanvas picture(40, 20, ColourBlack);
  GuiDrawingContext pictureContext(nullptr, picture.surface(), nullptr);
  RecordingView* under = add({0, 0, 20, 10});
  RecordingView* over = add({10, 0, 30, 10});
  over->colour = ColourBlue;
  RecordingView* elsewhere = add({0, 15, 5, 19});
  EXPECT_TRUE(frame.isFirstDrawPending());
  frame.drawInRect(pictureContext, {0, 0, 12, 5});
  EXPECT_FALSE(frame.isFirstDrawPending());
  EXPECT_EQ(under->draws, 1);
  EXPECT_EQ(over->draws, 1);
  EXPECT_EQ(elsewhere->draws, 0);
  EXPECT_EQ(picture.pixel(9, 5), ColourRed);
  EXPECT_EQ(picture.pixel(10, 5), ColourBlue);
  frame.draw(pictureContext);
  EXPECT_EQ(elsewhere->draws, 1);
}
