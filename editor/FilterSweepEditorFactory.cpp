// The plug-in's editor: the panel. Linked into the module directly, so it
// takes the place of the headless factory in the engine's library.
#include "editor/EditorBitmaps.h"
#include "editor/FilterSweepEditor.h"
#include "engine/EditorFactory.h"
#include "engine/FilterSweepPlugin.h"

EditorBase* createFilterSweepEditor(FilterSweepPlugin& plugin) {
  return new FilterSweepEditor(&plugin, editorBitmaps());
}
