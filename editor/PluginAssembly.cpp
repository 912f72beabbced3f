// The plug-in object this library hands out: the effect, with the panel in the
// builds that have a window system (CMake says which).
#include "engine/FilterSweepPlugin.h"
#include "host/PluginMain.h"

#if LUMIVANE_HAS_EDITOR
#include "editor/EditorBitmaps.h"
#include "editor/FilterSweepEditor.h"

static std::unique_ptr<EffectEditor> makePanel(FilterSweepPlugin& plugin) {
  return std::make_unique<FilterSweepEditor>(&plugin, editorBitmaps());
}
static constexpr FilterSweepPlugin::EditorMaker editorMaker = makePanel;
#else
static constexpr FilterSweepPlugin::EditorMaker editorMaker = nullptr;
#endif

EffectBase* createPluginEffect(AudioMasterCallback hostCallback) {
  return new FilterSweepPlugin(hostCallback, editorMaker);
}
