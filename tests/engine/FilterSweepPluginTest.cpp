// Gives the plug-in editor makers of its own, to see what the plug-in tells
// its editor and how it handles an editor that cannot be made.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "engine/FilterSweepPlugin.h"
#include "host/PluginMain.h"
#include "tests/engine/TestHost.h"

namespace {
class RecordingEditor final : public EffectEditor {
public:
  VstInt32 reportRect(ERect**) override { return 0; }
  VstInt32 open(void*) override { return 0; }
  void close() override {}
  void idle() override {}
  VstInt32 onKeyDown(const KeyStroke&) override { return -1; }
  VstInt32 onKeyUp(const KeyStroke&) override { return -1; }
  VstInt32 setKnobMode(VstInt32) override { return 0; }
  void parameterChanged(VstInt32 index, float value) override { changes.emplace_back(index, value); }
  std::vector<std::pair<VstInt32, float>> changes;
};

std::unique_ptr<EffectEditor> makeRecordingEditor(FilterSweepPlugin&) { return std::make_unique<RecordingEditor>(); }
std::unique_ptr<EffectEditor> runOutOfMemory(FilterSweepPlugin&) { throw std::bad_alloc(); }

EffectBase* pluginWithRecordingEditor(AudioMasterCallback callback) {
  return new FilterSweepPlugin(callback, makeRecordingEditor);
}
EffectBase* pluginWithoutMemoryForItsEditor(AudioMasterCallback callback) {
  return new FilterSweepPlugin(callback, runOutOfMemory);
}

RecordingEditor* editorOf(FilterSweepPlugin& plugin) { return static_cast<RecordingEditor*>(plugin.editorObject()); }
}  // namespace

TEST(FilterSweepPlugin, AttachedEditorIsAnnouncedInTheFlags) {
  TestHost host;
  FilterSweepPlugin plugin(host.callback(), makeRecordingEditor);
  ASSERT_NE(editorOf(plugin), nullptr);
  EXPECT_EQ(plugin.record()->flags & effFlagsHasEditor, effFlagsHasEditor);
  FilterSweepPlugin headless(host.callback());
  EXPECT_EQ(headless.record()->flags & effFlagsHasEditor, 0);
  EXPECT_EQ(headless.dispatch(effEditOpen, 0, 0, &host, 0.0f), 0);
}

TEST(FilterSweepPlugin, ParameterWritesReachTheEditorWithTheSameArguments) {
  TestHost host;
  FilterSweepPlugin plugin(host.callback(), makeRecordingEditor);
  plugin.setParameterValue(3, 0.25f);
  plugin.automateParameter(9, 0.75f);
  plugin.setParameterValue(11, 0.5f);
  plugin.setParameterValue(2, std::numeric_limits<float>::quiet_NaN());
  const std::vector<std::pair<VstInt32, float>> expected = {{3, 0.25f}, {9, 0.75f}};
  EXPECT_EQ(editorOf(plugin)->changes, expected) << "ignored writes are not announced";
}

TEST(FilterSweepPlugin, SelectingAProgramNotifiesAllElevenParametersInOrder) {
  TestHost host;
  FilterSweepPlugin plugin(host.callback(), makeRecordingEditor);
  plugin.selectProgram(5);
  plugin.setParameterValue(0, 1.0f);
  plugin.selectProgram(0);
  editorOf(plugin)->changes.clear();
  plugin.selectProgram(5);
  const auto& changes = editorOf(plugin)->changes;
  ASSERT_EQ(changes.size(), 11u);
  for (VstInt32 i = 0; i < 11; ++i) {
    EXPECT_EQ(changes[i].first, i);
    EXPECT_EQ(changes[i].second, plugin.parameterValue(i));
  }
  EXPECT_EQ(changes[0].second, 1.0f);
  editorOf(plugin)->changes.clear();
  plugin.selectProgram(20);
  EXPECT_TRUE(editorOf(plugin)->changes.empty());
}

TEST(FilterSweepPlugin, EditorThatCannotBeMadeRefusesOnlyThatInstance) {
  TestHost host;
  EXPECT_EQ(openPluginInstance(host.callback(), pluginWithoutMemoryForItsEditor), nullptr);
  AEffect* effect = openPluginInstance(host.callback(), pluginWithRecordingEditor);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}
