#include <gtest/gtest.h>

#include <vector>

#include "gui/GuiControl.h"
#include "gui/GuiControlListener.h"
#include "gui/GuiDrawingContext.h"

namespace {

// The smallest concrete control: drawing only records that the screen is current.
class PlainControl final : public GuiControl {
public:
  explicit PlainControl(GuiControlListener* controlListener)
      : GuiControl({0, 0, 20, 20}, controlListener, 7, nullptr) {}
  void draw(GuiDrawingContext&) override { setDirty(false); }
  using GuiControl::arrowKeyStep;
  using GuiControl::wheelStep;
};

class RecordingListener final : public GuiControlListener {
public:
  void valueChanged(GuiDrawingContext* context, GuiControl& control) override {
    values.push_back(control.getValue());
    contexts.push_back(context);
  }
  std::vector<float> values;
  std::vector<GuiDrawingContext*> contexts;
};

void drawOnce(GuiControl& control) {
  GuiDrawingContext context(nullptr, nullptr, nullptr);
  control.redrawIfDirty(context);
}

GuiKeyStroke key(std::uint8_t virtualKey, std::uint8_t modifiers = 0) { return {0, virtualKey, modifiers}; }

}  // namespace

TEST(GuiControl, NewControlIsDirtyUntilDrawnAndStaysCleanForTheSameValue) {
  PlainControl control(nullptr);
  EXPECT_TRUE(control.isDirty());
  drawOnce(control);
  EXPECT_FALSE(control.isDirty());
  control.setValue(control.getValue());
  EXPECT_FALSE(control.isDirty());
  control.setValue(0.25f);
  EXPECT_TRUE(control.isDirty());
}

TEST(GuiControl, SetDirtyPicksAnOldValueThatSurelyDiffers) {
  PlainControl control(nullptr);
  control.setValue(-1.0f);
  control.setDirty(true);
  EXPECT_EQ(control.getOldValue(), 0.0f);
  control.setValue(0.3f);
  control.setDirty(true);
  EXPECT_EQ(control.getOldValue(), -1.0f);
  control.setDirty(false);
  EXPECT_EQ(control.getOldValue(), 0.3f);
  EXPECT_FALSE(control.isDirty());
}

TEST(GuiControl, WheelClampsToTheUpperBoundAndNotifiesOnce) {
  RecordingListener listener;
  PlainControl control(&listener);
  control.setValue(0.95f);
  drawOnce(control);
  EXPECT_TRUE(control.wheelStep(nullptr, 1.0f));
  EXPECT_EQ(control.getValue(), 1.0f);
  ASSERT_EQ(listener.values.size(), 1u);
  EXPECT_EQ(listener.values[0], 1.0f);
}

TEST(GuiControl, WheelChangeThatLeavesTheShownValueIsNotReported) {
  RecordingListener listener;
  PlainControl control(&listener);
  control.setValue(1.0f);
  drawOnce(control);
  EXPECT_TRUE(control.wheelStep(nullptr, 1.0f));
  EXPECT_TRUE(listener.values.empty());
}

TEST(GuiControl, WheelOnAControlThatTakesNoMouseChangesNothing) {
  RecordingListener listener;
  PlainControl control(&listener);
  control.setMouseEnabled(false);
  EXPECT_FALSE(control.wheelStep(nullptr, 1.0f));
  EXPECT_EQ(control.getValue(), 0.0f);
  EXPECT_TRUE(listener.values.empty());
}

TEST(GuiControl, ArrowKeysStepDownOrUpAndShiftMakesTheStepFine) {
  RecordingListener listener;
  PlainControl control(&listener);
  control.setValue(0.5f);
  EXPECT_EQ(control.arrowKeyStep(key(11)), 1);
  EXPECT_FLOAT_EQ(control.getValue(), 0.4f);
  EXPECT_EQ(control.arrowKeyStep(key(14)), 1);
  EXPECT_FLOAT_EQ(control.getValue(), 0.3f);
  EXPECT_EQ(control.arrowKeyStep(key(12)), 1);
  EXPECT_FLOAT_EQ(control.getValue(), 0.4f);
  EXPECT_EQ(control.arrowKeyStep(key(13, 1)), 1);
  EXPECT_FLOAT_EQ(control.getValue(), 0.41f);
  EXPECT_EQ(listener.contexts.size(), 4u);
  EXPECT_EQ(listener.contexts.back(), nullptr);
}

TEST(GuiControl, OtherKeysAreNotTakenAndChangeNothing) {
  RecordingListener listener;
  PlainControl control(&listener);
  control.setValue(0.5f);
  EXPECT_EQ(control.arrowKeyStep(key(15)), -1);
  EXPECT_EQ(control.getValue(), 0.5f);
  EXPECT_TRUE(listener.values.empty());
}

TEST(GuiControl, ArrowKeysWorkWithoutMouseInput) {
  PlainControl control(nullptr);
  control.setMouseEnabled(false);
  control.setValue(0.5f);
  EXPECT_EQ(control.arrowKeyStep(key(12)), 1);
  EXPECT_FLOAT_EQ(control.getValue(), 0.6f);
}

TEST(GuiControl, ClampTestsTheUpperBoundFirst) {
  PlainControl control(nullptr);
  control.setMinValue(0.8f);
  control.setMaxValue(0.2f);
  control.setValue(0.5f);
  control.clampValue();
  EXPECT_EQ(control.getValue(), 0.2f);
  control.setValue(0.1f);
  control.clampValue();
  EXPECT_EQ(control.getValue(), 0.8f);
}

// Steps between two redraws: each change the user makes is told once, even
// when it brings the value back to the one on screen; a value set from outside
// is never told back. Steps of a quarter keep the sums exact.
TEST(GuiControl, EveryValueDifferentFromTheLastToldIsTold) {
  enum class Step { ArrowRight, ArrowDown, WheelUp, WheelDown, SetHalfFromOutside };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<float> told;
  };
  const Case cases[] = {
      {"arrow right then down", {Step::ArrowRight, Step::ArrowDown}, {0.75f, 0.5f}},
      {"wheel up then down", {Step::WheelUp, Step::WheelDown}, {0.75f, 0.5f}},
      {"arrow right then wheel down twice", {Step::ArrowRight, Step::WheelDown, Step::WheelDown}, {0.75f, 0.5f, 0.25f}},
      {"up to the bound and on", {Step::WheelUp, Step::WheelUp, Step::ArrowRight}, {0.75f, 1.0f}},
      {"set from outside, then back by hand",
       {Step::WheelUp, Step::SetHalfFromOutside, Step::WheelUp, Step::WheelDown},
       {0.75f, 0.75f, 0.5f}},
      {"set from outside only", {Step::WheelDown, Step::SetHalfFromOutside}, {0.25f}},
  };
  for (const Case& c : cases) {
    RecordingListener listener;
    PlainControl control(&listener);
    control.setWheelIncrement(0.25f);
    control.setValue(0.5f);
    drawOnce(control);
    for (Step step : c.steps) {
      switch (step) {
        case Step::ArrowRight: control.arrowKeyStep(key(VirtualKeyRight)); break;
        case Step::ArrowDown: control.arrowKeyStep(key(VirtualKeyDown)); break;
        case Step::WheelUp: control.wheelStep(nullptr, 1.0f); break;
        case Step::WheelDown: control.wheelStep(nullptr, -1.0f); break;
        case Step::SetHalfFromOutside: control.setValue(0.5f); break;
      }
    }
    EXPECT_EQ(listener.values, c.told) << c.name;
  }
}
