#include "editor/GuiEditorBase.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/RecordingView.h"

namespace {

struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
};

std::vector<HostCall> hostCalls;
std::function<void()> whileHostIdles;

VstIntPtr VST_CALLBACK recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
  hostCalls.push_back({opcode, index});
  if (opcode == audioMasterIdle && whileHostIdles) whileHostIdles();
  return 0;
}

class TestEffect final : public EffectBaseExt {
public:
  TestEffect() : EffectBaseExt(recordingHost, 1, 11) {}
  void processBlockAdding(float**, float**, VstInt32) override {}
};

// The smallest editor over the base: a frame of its own while open.
class TestEditor final : public GuiEditorBase {
public:
  explicit TestEditor(EffectBaseExt* editedEffect) : GuiEditorBase(editedEffect) { editorRect = {0, 0, 272, 150}; }
  VstInt32 open(void* window) override {
    GuiEditorBase::open(window);
    frame.reset(new GuiFrame(GuiRect{0, 0, 150, 272}, window, this));
    return 1;
  }
  void close() override { frame.reset(); }
  void update() override { ++updates; }
  int updates = 0;
};

int callsOf(VstInt32 opcode) {
  int count = 0;
  for (const HostCall& call : hostCalls) count += call.opcode == opcode;
  return count;
}

struct EditorOnEffect : ::testing::Test {
  TestEffect effect;
  TestEditor* editor = attach(std::make_unique<TestEditor>(&effect));
  std::uint32_t now = 1000;
  std::vector<std::uint32_t> sleeps;

  TestEditor* attach(std::unique_ptr<TestEditor> made) {
    TestEditor* attached = made.get();
    effect.attachEditor(std::move(made));
    return attached;
  }

  EditorOnEffect() {
    hostCalls.clear();
    whileHostIdles = nullptr;
    editor->setIdleClock([this] { return now; }, [this](std::uint32_t ms) { sleeps.push_back(ms); });
  }
  ~EditorOnEffect() override { whileHostIdles = nullptr; }
  int idleRuns() const { return callsOf(audioMasterIdle); }
};

const KeyStroke kUpArrow{0, 12, 0};

}  // namespace

TEST(EditorBase, DefaultsAnswerTheHostHarmlessly) {
  EditorBase editor(nullptr);
  ERect placeholder{};
  ERect* rect = &placeholder;
  EXPECT_EQ(editor.reportRect(&rect), 0);
  EXPECT_EQ(rect, nullptr);
  EXPECT_EQ(editor.onKeyDown(KeyStroke{'a', 65, 0}), -1);
  EXPECT_EQ(editor.setKnobMode(1), 0);
}

TEST_F(EditorOnEffect, KnowsItsEffectWithoutAttachingItself) {
  TestEditor detached(&effect);
  EXPECT_EQ(detached.hostEffect(), &effect);
  EXPECT_EQ(effect.attachedEditor(), editor);
}

TEST_F(EditorOnEffect, PumpCalledTwiceWithinAFewMillisecondsRunsTheIdleWorkOnce) {
  editor->pumpIdle();
  EXPECT_EQ(idleRuns(), 1);
  EXPECT_TRUE(sleeps.empty());
  now += 3;
  editor->pumpIdle();
  EXPECT_EQ(idleRuns(), 1);
  EXPECT_EQ(sleeps, std::vector<std::uint32_t>{4});
}

TEST_F(EditorOnEffect, PumpRunsOnceLessThanFiftyMillisecondsAreLeftAfterItsSleep) {
  editor->pumpIdle();
  now += 45;  // 55 before the due time, 51 after the sleep
  editor->pumpIdle();
  EXPECT_EQ(idleRuns(), 1);
  now += 15;  // 60 after the run: 36 left after the sleep
  editor->pumpIdle();
  EXPECT_EQ(idleRuns(), 2);
  EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{4, 4}));
  // Due 100 after the sleep's end, not after the call.
  now += 4 + 100;
  editor->pumpIdle();
  EXPECT_EQ(idleRuns(), 3);
  EXPECT_EQ(sleeps.size(), 2u);
}

TEST_F(EditorOnEffect, PumpKeepsItsRhythmAcrossTheTickCountWrap) {
  now = 0xFFFFFF90u;
  editor->setIdleClock([this] { return now; }, [this](std::uint32_t ms) { sleeps.push_back(ms); });
  editor->pumpIdle();  // next due at 0xFFFFFFF4
  now = 0x10u;         // 28 ms past that, across the wrap: runs at once
  editor->pumpIdle();
  EXPECT_EQ(idleRuns(), 2);
  EXPECT_TRUE(sleeps.empty());

  now = 0xFFFFFFA0u;
  editor->setIdleClock([this] { return now; }, [this](std::uint32_t ms) { sleeps.push_back(ms); });
  editor->pumpIdle();  // next due at 0x04, across the wrap
  now = 0xFFFFFFC0u;   // 68 ms before that: sleeps and waits
  editor->pumpIdle();
  EXPECT_EQ(idleRuns(), 3);
  EXPECT_EQ(sleeps, std::vector<std::uint32_t>{4});
}

TEST_F(EditorOnEffect, IdleDuringTheHostsIdleServiceDoesNothing) {
  editor->requestUpdate();
  whileHostIdles = [this] {
    editor->requestUpdate();
    editor->idle();
  };
  editor->pumpIdle();
  EXPECT_EQ(editor->updates, 1);
  whileHostIdles = nullptr;
  editor->idle();
  EXPECT_EQ(editor->updates, 2);
}

TEST_F(EditorOnEffect, HostOpcodesReachTheEditorWithoutAWindow) {
  ERect* rect = nullptr;
  EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, &rect, 0.0f), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->bottom, 272);
  EXPECT_EQ(rect->right, 150);
  EXPECT_EQ(effect.dispatch(effSetEditKnobMode, 0, 1, nullptr, 0.0f), 1);
  EXPECT_EQ(GuiEditorBase::currentKnobMode(), 1);
  EXPECT_EQ(effect.dispatch(effSetEditKnobMode, 0, 2, nullptr, 0.0f), 1);
  EXPECT_EQ(GuiEditorBase::currentKnobMode(), 2);
  EXPECT_EQ(effect.dispatch(effEditKeyDown, 0, 12, nullptr, 0.0f), -1);
  EXPECT_EQ(editor->onKeyUp(kUpArrow), -1);
  EXPECT_FALSE(editor->onWheel(1.0f));
  editor->drawNow();
  editor->parameterChanged(3, 0.5f);
  editor->idle();
  EXPECT_EQ(editor->updates, 1);
}

TEST_F(EditorOnEffect, OpenEditorHandsKeysWheelAndKnobModeToItsFrame) {
  HostWindow host(100, 100, 200, 300);
  EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, host.handle(), 0.0f), 1);
  GuiFrame* frame = editor->editorFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->owningEditor(), editor);
  auto* view = new RecordingView({10, 10, 60, 60});
  view->keyAnswer = 1;
  frame->addView(view);
  EXPECT_EQ(frame->viewAt(0)->owningEditor(), editor);

  EXPECT_EQ(effect.dispatch(effEditKeyDown, 0, 12, nullptr, 0.0f), 1);
  EXPECT_EQ(editor->onKeyUp(kUpArrow), 1);
  ASSERT_EQ(view->keysDown.size(), 1u);
  EXPECT_EQ(view->keysDown[0], 12);
  movePointer({100 + 20, 100 + 30});
  EXPECT_TRUE(editor->onWheel(-1.0f));
  EXPECT_TRUE(view->wheelHadContext);
  EXPECT_EQ(view->lastWheelWhere.x, 20);
  EXPECT_EQ(view->lastWheelWhere.y, 30);
  editor->setKnobMode(0);
  EXPECT_EQ(frame->readKnobMode(), 0);

  editor->idle();
  EXPECT_EQ(editor->updates, 1);  // open asked for one
  effect.dispatch(effEditClose, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(editor->editorFrame(), nullptr);
  EXPECT_EQ(effect.dispatch(effEditKeyDown, 0, 12, nullptr, 0.0f), -1);
}

TEST_F(EditorOnEffect, PumpDispatchesAPendingPaintAndDrawNowDrawsEverything) {
  HostWindow host;
  editor->open(host.handle());
  GuiFrame* frame = editor->editorFrame();
  auto* view = new RecordingView({10, 10, 30, 30}, ColourBlue);
  frame->addView(view);
  discardPendingPaint(*frame);
  view->setDirty(true);
  editor->idle();
  EXPECT_EQ(view->draws, 0);  // nothing before the first paint

  invalidate(*frame);
  editor->pumpIdle();
  EXPECT_EQ(view->draws, 1);
  EXPECT_FALSE(frame->isFirstDrawPending());
  TestCanvas shown(40, 40);
  shown.copyFromWindow(frame->frameWindow());
  EXPECT_EQ(shown.count(ColourBlue, {10, 10, 30, 30}), 400);

  editor->drawNow();
  EXPECT_EQ(view->draws, 2);
  editor->close();
}

TEST_F(EditorOnEffect, FrameAnnouncesEditsAndPumpsThroughItsEditor) {
  GuiFrame frame({0, 0, 10, 10}, nullptr, editor);
  frame.beginParameterEdit(3);
  frame.pumpEditorIdle();
  frame.endParameterEdit(3);
  ASSERT_EQ(hostCalls.size(), 3u);
  EXPECT_EQ(hostCalls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(hostCalls[0].index, 3);
  EXPECT_EQ(hostCalls[1].opcode, audioMasterIdle);
  EXPECT_EQ(hostCalls[2].opcode, audioMasterEndEdit);
  EXPECT_EQ(hostCalls[2].index, 3);

  GuiFrame orphan({0, 0, 10, 10}, nullptr, nullptr);
  orphan.beginParameterEdit(1);
  orphan.pumpEditorIdle();
  orphan.endParameterEdit(1);
  EXPECT_EQ(hostCalls.size(), 3u);
}

TEST(GuiEditorBase, DestroyedWithItsWindowOpenTakesTheWindowWithIt) {
  HostWindow host;
  {
    TestEffect effect;
    effect.attachEditor(std::make_unique<TestEditor>(&effect));
    effect.attachedEditor()->open(host.handle());
    EXPECT_EQ(host.childCount(), 1);
  }
  EXPECT_EQ(host.childCount(), 0);
}
