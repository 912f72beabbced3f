// No window system: the plug-in attaches no editor.
#include "engine/EditorFactory.h"

EditorBase* createFilterSweepEditor(FilterSweepPlugin&) { return nullptr; }
