#include <gtest/gtest.h>

#include <memory>

#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

namespace {
PluginModule& plugin() {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  return module;
}
}  // namespace

TEST(PluginLoading, EntryAnswersARecordThatLeadsBackToItsObject) {
  StandInHost host(plugin().entry());
  AEffect* effect = host.open();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->magic, 0x56737450);
  EXPECT_NE(effect->object, nullptr);
  EXPECT_EQ(effect->uniqueID, 0x71323232);
  EXPECT_EQ(effect->numPrograms, 20);
  EXPECT_EQ(effect->numParams, 11);
  EXPECT_EQ(effect->numInputs, 2);
  EXPECT_EQ(effect->numOutputs, 2);
  EXPECT_EQ(host.close(), 1);
}

TEST(PluginLoading, HostAnsweringVersionZeroGetsNoEffect) {
  StandInHost host(plugin().entry());
  host.versionAnswer = 0;
  EXPECT_EQ(host.open(), nullptr);
}

TEST(PluginLoading, NullHostCallbackGetsNoEffect) { EXPECT_EQ(plugin().entry()(nullptr), nullptr); }

TEST(PluginLoading, PathThatIsNoPluginIsRefusedWithAReason) {
  EXPECT_THROW(PluginModule("/nonexistent/NoSuchPlugin.so"), PluginLoadError);
}
