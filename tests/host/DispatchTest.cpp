#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

#include "tests/host/TestEffect.h"

namespace {
struct Dispatch : ::testing::Test {
  Dispatch() { RecordingHost::reset(0); }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
    AEffect* record = effect.record();
    return record->dispatcher(record, opcode, index, value, ptr, opt);
  }
  RecordingEditor* attachEditor() {
    auto editor = std::make_unique<RecordingEditor>();
    RecordingEditor* attached = editor.get();
    effect.attachEditor(std::move(editor));
    return attached;
  }
  TestEffect effect{RecordingHost::callback};
};
}  // namespace

TEST_F(Dispatch, FixedAnswersOfTheBaseClasses) {
  EXPECT_EQ(dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(dispatch(effGetVstVersion), 2200);
  EXPECT_EQ(dispatch(effKeysRequired), 1);
  EXPECT_EQ(dispatch(effGetVu), 0);
  EXPECT_EQ(dispatch(effGetNumProgramCategories), 1);
  EXPECT_EQ(dispatch(effGetCurrentMidiProgram), -1);
  EXPECT_EQ(dispatch(effGetPlugCategory), 0);
  effect.setIsSynth(true);
  EXPECT_EQ(dispatch(effGetPlugCategory), 2);
}

TEST_F(Dispatch, EveryParameterIndexCanBeAutomatedEvenBeyondTheLast) {
  for (VstInt32 index : {0, 10, 11, 1000, -1}) EXPECT_EQ(dispatch(effCanBeAutomated, index), 1) << index;
}

TEST_F(Dispatch, ConnectionOpcodesAnswerOne) {
  EXPECT_EQ(dispatch(effConnectInput, 0, 1), 1);
  EXPECT_EQ(dispatch(effConnectOutput, 1, 0), 1);
}

TEST_F(Dispatch, BlockSizeAndRateTogetherChangeBoth) {
  EXPECT_EQ(dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 96000.0f), 1);
  EXPECT_EQ(effect.currentBlockSize(), 512);
  EXPECT_EQ(effect.currentSampleRate(), 96000.0f);
  dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  dispatch(effSetBlockSize, 0, 64);
  EXPECT_EQ(effect.currentSampleRate(), 48000.0f);
  EXPECT_EQ(effect.currentBlockSize(), 64);
}

TEST_F(Dispatch, ChunkOpcodesAnswerZeroAndWriteNothing) {
  char sentinel = 'x';
  void* data = &sentinel;
  EXPECT_EQ(dispatch(effGetChunk, 0, 0, &data), 0);
  EXPECT_EQ(data, &sentinel);
  EXPECT_EQ(dispatch(effSetChunk, 1, 1, &sentinel), 0);
  EXPECT_EQ(sentinel, 'x');
}

TEST_F(Dispatch, UnknownAndNegativeOpcodesAnswerZero) {
  for (VstInt32 opcode : {69, 70, 1000, INT_MAX, -1, -25, INT_MIN})
    EXPECT_EQ(dispatch(opcode, 1, 1, nullptr, 1.0f), 0) << opcode;
  EXPECT_TRUE(RecordingHost::requests.empty());
}

TEST_F(Dispatch, ProgramOutsideTheRangeIsIgnored) {
  dispatch(effSetProgram, 0, 3);
  for (VstIntPtr program : {20, -1, 1000}) dispatch(effSetProgram, 0, program);
  EXPECT_EQ(effect.selected, std::vector<VstInt32>{3});
  EXPECT_EQ(dispatch(effGetProgram), 3);
}

TEST_F(Dispatch, NullTextOrRecordPointerAnswersZero) {
  const VstInt32 opcodes[] = {effSetProgramName,
                              effGetProgramName,
                              effGetParamLabel,
                              effGetParamDisplay,
                              effGetParamName,
                              effEditGetRect,
                              effEditOpen,
                              effString2Parameter,
                              effGetProgramNameIndexed,
                              effGetInputProperties,
                              effGetOutputProperties,
                              effGetEffectName,
                              effGetErrorText,
                              effGetVendorString,
                              effGetProductString,
                              effCanDo};
  attachEditor();
  for (VstInt32 opcode : opcodes) EXPECT_EQ(dispatch(opcode, 0, 0, nullptr), 0) << opcode;
}

TEST_F(Dispatch, TextOpcodesOfTheBaseClassesWriteAnEmptyText) {
  for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName}) {
    char text[24];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(dispatch(opcode, 0, 0, text), 0);
    EXPECT_EQ(text[0], '\0') << opcode;
    EXPECT_EQ(text[1], 'x') << opcode;
  }
}

TEST_F(Dispatch, EditorOpcodesWithoutAnEditorAnswerZero) {
  ERect* rect = nullptr;
  int parent = 0;
  EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(dispatch(effEditOpen, 0, 0, &parent), 0);
  EXPECT_EQ(dispatch(effEditClose), 0);
  EXPECT_EQ(dispatch(effEditIdle), 0);
  EXPECT_EQ(dispatch(effEditKeyDown, 'a', 65, nullptr, 0.0f), 0);
  EXPECT_EQ(dispatch(effEditKeyUp, 'a', 65, nullptr, 0.0f), 0);
  EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 2), 0);
}

TEST_F(Dispatch, KeyOpcodesHandTheEditorAKeyStrokeAndItsAnswer) {
  RecordingEditor* editor = attachEditor();
  EXPECT_EQ(dispatch(effEditKeyDown, 'a', 0x1234, nullptr, 9.9f), 7);
  EXPECT_EQ(dispatch(effEditKeyUp, 'b', 0x41, nullptr, -1.5f), 8);
  dispatch(effEditKeyDown, 'c', 0x41, nullptr, 1.0e30f);
  dispatch(effEditKeyDown, 'd', 0x41, nullptr, NAN);
  ASSERT_EQ(editor->keys.size(), 4u);
  EXPECT_EQ(editor->keys[0].character, 'a');
  EXPECT_EQ(editor->keys[0].virtualKey, 0x34);
  EXPECT_EQ(editor->keys[0].modifiers, 9);     // truncated toward zero
  EXPECT_EQ(editor->keys[1].modifiers, 0xFF);  // -1.5 becomes -1
  EXPECT_EQ(editor->keys[2].modifiers, 0xFF);  // saturated, not undefined
  EXPECT_EQ(editor->keys[3].modifiers, 0);
  EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 2), 1);
  EXPECT_EQ(editor->knobMode, 2);
}
