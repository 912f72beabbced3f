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

// A host may answer any request of a drag (begin, automation, idle, end) by
// closing the editor, opening it again or closing the plug-in. The drag stops
// there, nothing freed is touched, and the edit the host saw begin is ended.
TEST_F(EditorPanel, HostClosingThePanelFromInsideADragEndsTheDragAndItsEdit) {
  enum class Reaction { CloseEditor, ReopenEditor, ClosePlugin };
  struct Case {
    VstInt32 request;
    Reaction reaction;
  };
  const Case cases[] = {
      {audioMasterBeginEdit, Reaction::CloseEditor}, {audioMasterBeginEdit, Reaction::ReopenEditor},
      {audioMasterBeginEdit, Reaction::ClosePlugin}, {audioMasterAutomate, Reaction::CloseEditor},
      {audioMasterAutomate, Reaction::ReopenEditor}, {audioMasterAutomate, Reaction::ClosePlugin},
      {audioMasterIdle, Reaction::CloseEditor},      {audioMasterIdle, Reaction::ReopenEditor},
      {audioMasterIdle, Reaction::ClosePlugin},      {audioMasterEndEdit, Reaction::CloseEditor},
      {audioMasterEndEdit, Reaction::ReopenEditor},  {audioMasterEndEdit, Reaction::ClosePlugin},
  };
  for (const Case& c : cases) {
    // Knobs for the requests a drag makes first and most often, sliders for the others.
    const bool knob = c.request == audioMasterBeginEdit || c.request == audioMasterIdle;
    const std::string name = "request " + std::to_string(c.request) + ", reaction " +
                             std::to_string(static_cast<int>(c.reaction)) + (knob ? ", knob" : ", slider");
    // A fresh panel in the same host window, on a plug-in opened again if the last case closed it.
    if (host.effect() == nullptr) {
      ASSERT_NE(host.open(), nullptr) << name;
    } else if (window->panelCount() > 0) {
      window->closeEditor();
    }
    ASSERT_TRUE(window->reopenEditor()) << name;
    const VstInt32 parameter = knob ? kFilterMode : kTempo;
    host.setParameter(parameter, 0.0f);
    window->runFor(50);
    const GuiPoint from = knob ? onScreen(kModeKnobCentre.x, kModeKnobCentre.y) : onScreen(50, kTempoSliderY);
    const GuiPoint to{from.x + 40, from.y};
    host.clearCalls();
    std::size_t callsBeforeReaction = 0;
    bool reacted = false;
    host.reactOnce(c.request, [&] {
      reacted = true;
      callsBeforeReaction = host.calls().size();
      switch (c.reaction) {
        case Reaction::CloseEditor: host.dispatch(effEditClose); break;
        case Reaction::ReopenEditor: host.dispatch(effEditOpen, 0, 0, window->hostWindow()); break;
        case Reaction::ClosePlugin: host.close(); break;
      }
    });
    InputScript().drag(from, to).playOn(*window);
    window->runFor(50);

    ASSERT_TRUE(reacted) << name;
    const std::vector<HostCall> calls = host.calls();
    int begun = 0;
    int ended = 0;
    for (const HostCall& call : calls) {
      begun += isEdit(call, audioMasterBeginEdit, parameter);
      ended += isEdit(call, audioMasterEndEdit, parameter);
    }
    EXPECT_EQ(begun, 1) << name;
    EXPECT_EQ(ended, 1) << name;
    // The drag stopped at the reaction: at most the end of the edit follows it.
    for (std::size_t i = callsBeforeReaction; i < calls.size(); ++i) {
      EXPECT_TRUE(isEdit(calls[i], audioMasterEndEdit, parameter)) << name << ", call " << i;
    }
    switch (c.reaction) {
      case Reaction::CloseEditor: EXPECT_EQ(window->panelCount(), 0) << name; break;
      case Reaction::ReopenEditor:
        EXPECT_EQ(window->panelCount(), 1) << name;
        ASSERT_NE(editor().editorFrame(), nullptr) << name;
        EXPECT_TRUE(editor().editorFrame()->isOpen()) << name;
        break;
      case Reaction::ClosePlugin: EXPECT_EQ(host.effect(), nullptr) << name; break;
    }
  }
}
