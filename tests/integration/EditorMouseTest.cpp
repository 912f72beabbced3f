#include "tests/integration/EditorPanelFixture.h"

namespace {
// Knob of the filter mode: rectangle (6, 31, 34, 59), centre (20, 45).
constexpr GuiPoint kModeKnobCentre{20, 45};
constexpr GuiPoint kModeKnobTop{20, 32};
// Tempo slider: rectangle (40, 101, 110, 119); a press at x sets (x - 43) / 60.
constexpr int kTempoSliderY = 110;

bool isEdit(const HostCall& call, VstInt32 opcode, VstInt32 index) {
  return call.opcode == opcode && call.index == index;
}

// Begin, one or more automated values, end: all for one parameter, in that order.
void expectOneEdit(const std::vector<HostCall>& calls, VstInt32 index) {
  ASSERT_GE(calls.size(), 3u);
  EXPECT_TRUE(isEdit(calls.front(), audioMasterBeginEdit, index));
  EXPECT_TRUE(isEdit(calls.back(), audioMasterEndEdit, index));
  for (std::size_t i = 1; i + 1 < calls.size(); ++i) EXPECT_TRUE(isEdit(calls[i], audioMasterAutomate, index)) << i;
}

float lastAutomatedValue(const std::vector<HostCall>& calls) {
  for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
    if (call->opcode == audioMasterAutomate) return call->opt;
  }
  return -1.0f;
}
}  // namespace

TEST_F(EditorPanel, KnobDragReportsOneEditAndTheDisplayFollows) {
  host.setParameter(kFilterMode, 0.0f);
  window->runFor(50);
  host.clearCalls();
  InputScript()
      .drag(onScreen(kModeKnobCentre.x, kModeKnobCentre.y), onScreen(kModeKnobCentre.x + 100, kModeKnobCentre.y))
      .playOn(*window);
  const std::vector<HostCall> calls = editCalls();
  expectOneEdit(calls, kFilterMode);
  // Linear mode: 200 pixels to the right are the whole range.
  EXPECT_FLOAT_EQ(lastAutomatedValue(calls), 0.5f);
  EXPECT_EQ(control(kFilterMode).getValue(), host.getParameter(kFilterMode));
  EXPECT_EQ(display(kFilterMode).getValue(), host.getParameter(kFilterMode));
  EXPECT_EQ(shownText(kFilterMode), shortDisplay(kFilterMode));
  EXPECT_FALSE(display(kFilterMode).isDirty());
}

TEST_F(EditorPanel, SliderDragReportsOneEditAndTheDisplayFollows) {
  InputScript().drag(onScreen(73, kTempoSliderY), onScreen(88, kTempoSliderY)).playOn(*window);
  const std::vector<HostCall> calls = editCalls();
  expectOneEdit(calls, kTempo);
  EXPECT_FLOAT_EQ(lastAutomatedValue(calls), 0.75f);
  EXPECT_FLOAT_EQ(host.getParameter(kTempo), 0.75f);
  EXPECT_EQ(display(kTempo).getValue(), host.getParameter(kTempo));
  EXPECT_EQ(shownText(kTempo), shortDisplay(kTempo));
  EXPECT_FALSE(display(kTempo).isDirty());
}

TEST_F(EditorPanel, ControlClickRestoresTheDefaultWithoutADrag) {
  host.setParameter(kTempo, 0.2f);
  host.clearCalls();
  InputScript()
      .keyDown(TestModifier::Control)
      .click(onScreen(100, kTempoSliderY))
      .keyUp(TestModifier::Control)
      .playOn(*window);
  const std::vector<HostCall> calls = editCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(isEdit(calls[0], audioMasterAutomate, kTempo));
  EXPECT_EQ(calls[0].opt, 0.5f);
  EXPECT_EQ(host.getParameter(kTempo), 0.5f);
}

TEST_F(EditorPanel, ControlAndShiftClickStartsAFineDragInstead) {
  host.setParameter(kTempo, 0.2f);
  host.clearCalls();
  InputScript()
      .keyDown(TestModifier::Control)
      .keyDown(TestModifier::Shift)
      .click(onScreen(43 + 30, kTempoSliderY))
      .keyUp(TestModifier::Shift)
      .keyUp(TestModifier::Control)
      .playOn(*window);
  const std::vector<HostCall> calls = editCalls();
  expectOneEdit(calls, kTempo);
  // Fine from the press: a tenth of the way from 0.2 to the 0.5 under the cursor.
  EXPECT_NEAR(host.getParameter(kTempo), 0.23f, 1e-6f);
}

TEST_F(EditorPanel, ShiftMakesASliderDragTenTimesFiner) {
  host.setParameter(kTempo, 0.5f);
  host.clearCalls();
  InputScript()
      .keyDown(TestModifier::Shift)
      .drag(onScreen(73, kTempoSliderY), onScreen(133, kTempoSliderY))
      .keyUp(TestModifier::Shift)
      .playOn(*window);
  expectOneEdit(editCalls(), kTempo);
  EXPECT_NEAR(host.getParameter(kTempo), 0.6f, 1e-6f);
}

TEST_F(EditorPanel, ShiftMakesALinearKnobDragNeedThreeHundredPixels) {
  host.setParameter(kFilterMode, 0.0f);
  window->runFor(50);
  host.clearCalls();
  InputScript()
      .keyDown(TestModifier::Shift)
      .drag(onScreen(kModeKnobCentre.x, kModeKnobCentre.y), onScreen(kModeKnobCentre.x + 150, kModeKnobCentre.y))
      .keyUp(TestModifier::Shift)
      .playOn(*window);
  const std::vector<HostCall> calls = editCalls();
  expectOneEdit(calls, kFilterMode);
  EXPECT_FLOAT_EQ(lastAutomatedValue(calls), 0.5f);
}

TEST_F(EditorPanel, AltSwitchesTheKnobToCircularMode) {
  host.setParameter(kFilterMode, 0.0f);
  window->runFor(50);
  host.clearCalls();
  InputScript()
      .keyDown(TestModifier::Alt)
      .click(onScreen(kModeKnobTop.x, kModeKnobTop.y))
      .keyUp(TestModifier::Alt)
      .playOn(*window);
  const std::vector<HostCall> calls = editCalls();
  expectOneEdit(calls, kFilterMode);
  // Circular mode: the press at the top of the knob is the middle of the range.
  EXPECT_NEAR(lastAutomatedValue(calls), 0.5f, 1e-5f);
}

TEST_F(EditorPanel, HostKnobModeMakesCircularTheDefaultAndAltLinear) {
  EXPECT_EQ(host.dispatch(effSetEditKnobMode, 0, 0), 1);
  host.setParameter(kFilterMode, 0.0f);
  window->runFor(50);
  host.clearCalls();
  InputScript().click(onScreen(kModeKnobTop.x, kModeKnobTop.y)).playOn(*window);
  EXPECT_NEAR(lastAutomatedValue(editCalls()), 0.5f, 1e-5f);

  host.setParameter(kFilterMode, 0.0f);
  host.clearCalls();
  InputScript()
      .keyDown(TestModifier::Alt)
      .click(onScreen(kModeKnobTop.x, kModeKnobTop.y))
      .keyUp(TestModifier::Alt)
      .playOn(*window);
  // Linear mode: a press without a move changes nothing, so nothing is automated.
  const std::vector<HostCall> calls = editCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(isEdit(calls[0], audioMasterBeginEdit, kFilterMode));
  EXPECT_TRUE(isEdit(calls[1], audioMasterEndEdit, kFilterMode));
  EXPECT_EQ(host.getParameter(kFilterMode), 0.0f);
}

TEST_F(EditorPanel, ArrowKeysGoToTheControlDraggedLast) {
  InputScript().drag(onScreen(73, kTempoSliderY), onScreen(73, kTempoSliderY)).playOn(*window);
  ASSERT_FLOAT_EQ(host.getParameter(kTempo), 0.5f);
  host.clearCalls();
  constexpr VstIntPtr kUpArrow = 12;
  constexpr VstIntPtr kLeftArrow = 11;
  EXPECT_EQ(host.dispatch(effEditKeyDown, 0, kUpArrow), 1);
  EXPECT_FLOAT_EQ(host.getParameter(kTempo), 0.6f);
  EXPECT_EQ(host.dispatch(effEditKeyDown, 0, kLeftArrow, nullptr, 1.0f), 1);  // shift: a tenth of the step
  EXPECT_FLOAT_EQ(host.getParameter(kTempo), 0.59f);
  const std::vector<HostCall> calls = editCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(isEdit(calls[0], audioMasterAutomate, kTempo));
  EXPECT_TRUE(isEdit(calls[1], audioMasterAutomate, kTempo));
  EXPECT_EQ(shownText(kTempo), shortDisplay(kTempo));
}

TEST_F(EditorPanel, KeysThatNoViewTakesAreAnsweredMinusOne) {
  EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 0), -1);
  EXPECT_EQ(host.dispatch(effEditKeyUp, 'a', 0), -1);
  EXPECT_TRUE(editCalls().empty());
}

TEST_F(EditorPanel, CircularDragAcrossTheGapHoldsTheBoundItCameFrom) {
  EXPECT_EQ(host.dispatch(effSetEditKnobMode, 0, 0), 1);
  host.setParameter(kFilterMode, 0.5f);
  window->runFor(50);
  host.clearCalls();
  // From the right of the knob down through the gap at the bottom and up the left side.
  const GuiRect knob{6, 31, 34, 59};
  InputScript()
      .moveTo(onScreen(knob.left + 27, knob.top + 14))
      .pressLeft()
      .moveTo(onScreen(knob.left + 22, knob.top + 25))
      .moveTo(onScreen(knob.left + 18, knob.top + 27))
      .moveTo(onScreen(knob.left + 10, knob.top + 27))
      .moveTo(onScreen(knob.left + 1, knob.top + 14))
      .pause(60)
      .releaseLeft()
      .playOn(*window);
  const std::vector<HostCall> calls = editCalls();
  expectOneEdit(calls, kFilterMode);
  EXPECT_EQ(lastAutomatedValue(calls), 1.0f);
}
