// Links its own editor factory in place of the headless one, to see what the
// plug-in tells its editor and how it handles an editor that cannot be made.
#include <gtest/gtest.h>

#include <limits>
#include <new>
#include <utility>
#include <vector>

#include "editor/EditorBase.h"
#include "engine/EditorFactory.h"
#include "engine/FilterSweepPlugin.h"
#include "host/PluginMain.h"
#include "tests/engine/TestHost.h"

namespace {
enum class EditorSupply { None, Recording, OutOfMemory };
EditorSupply supply = EditorSupply::Recording;

class RecordingEditor final : public EditorBase {
public:
  using EditorBase::EditorBase;
  void parameterChanged(VstInt32 index, float value) override { changes.emplace_back(index, value); }
  std::vector<std::pair<VstInt32, float>> changes;
};

RecordingEditor* editorOf(FilterSweepPlugin& plugin) { return static_cast<RecordingEditor*>(plugin.editorObject()); }
}  // namespace

EditorBase* createFilterSweepEditor(FilterSweepPlugin& plugin) {
  switch (supply) {
    case EditorSupply::Recording: return new RecordingEditor(&plugin);
    case EditorSupply::OutOfMemory: throw std::bad_alloc();
    default: return nullptr;
  }
}

TEST(FilterSweepPlugin, AttachedEditorIsAnnouncedInTheFlags) {
  supply = EditorSupply::Recording;
  TestHost host;
  FilterSweepPlugin plugin(host.callback());
  ASSERT_NE(editorOf(plugin), nullptr);
  EXPECT_EQ(plugin.record()->flags & effFlagsHasEditor, effFlagsHasEditor);
  supply = EditorSupply::None;
  FilterSweepPlugin headless(host.callback());
  EXPECT_EQ(headless.record()->flags & effFlagsHasEditor, 0);
  EXPECT_EQ(headless.dispatch(effEditOpen, 0, 0, &host, 0.0f), 0);
}

TEST(FilterSweepPlugin, ParameterWritesReachTheEditorWithTheSameArguments) {
  supply = EditorSupply::Recording;
  TestHost host;
  FilterSweepPlugin plugin(host.callback());
  plugin.setParameterValue(3, 0.25f);
  plugin.automateParameter(9, 0.75f);
  plugin.setParameterValue(11, 0.5f);
  plugin.setParameterValue(2, std::numeric_limits<float>::quiet_NaN());
  const std::vector<std::pair<VstInt32, float>> expected = {{3, 0.25f}, {9, 0.75f}};
  EXPECT_EQ(editorOf(plugin)->changes, expected) << "ignored writes are not announced";
}

TEST(FilterSweepPlugin, SelectingAProgramNotifiesAllElevenParametersInOrder) {
  supply = EditorSupply::Recording;
  TestHost host;
  FilterSweepPlugin plugin(host.callback());
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
  supply = EditorSupply::OutOfMemory;
  EXPECT_EQ(openPluginInstance(host.callback(), createPluginEffect), nullptr);
  supply = EditorSupply::Recording;
  AEffect* effect = openPluginInstance(host.callback(), createPluginEffect);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}
