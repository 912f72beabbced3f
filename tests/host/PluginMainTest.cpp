#include <gtest/gtest.h>

#include <new>

#include "host/PluginMain.h"
#include "tests/host/TestEffect.h"

namespace {
int destroyedCount = 0;

EffectBase* buildEffect(AudioMasterCallback hostCallback) { return new TestEffect(hostCallback, &destroyedCount); }

EffectBase* runOutOfMemory(AudioMasterCallback) { throw std::bad_alloc(); }
}  // namespace

TEST(PluginMain, HostAnsweringVersionZeroGetsNullAndNothingIsBuilt) {
  RecordingHost::reset(0);
  destroyedCount = 0;
  EXPECT_EQ(openPluginInstance(RecordingHost::callback, buildEffect), nullptr);
  ASSERT_EQ(RecordingHost::requests.size(), 1u);
  EXPECT_EQ(RecordingHost::requests[0].opcode, audioMasterVersion);
  EXPECT_EQ(destroyedCount, 0);
}

TEST(PluginMain, NullHostCallbackGetsNull) { EXPECT_EQ(openPluginInstance(nullptr, buildEffect), nullptr); }

TEST(PluginMain, CloseAnswersOneAndDestroysTheObject) {
  RecordingHost::reset(2400);
  destroyedCount = 0;
  AEffect* record = openPluginInstance(RecordingHost::callback, buildEffect);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(destroyedCount, 1);
}

TEST(PluginMain, RunningOutOfMemoryWhileBuildingAnswersNullAndLaterCallsSucceed) {
  RecordingHost::reset(2400);
  EXPECT_EQ(openPluginInstance(RecordingHost::callback, runOutOfMemory), nullptr);
  AEffect* record = openPluginInstance(RecordingHost::callback, buildEffect);
  ASSERT_NE(record, nullptr);
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}
