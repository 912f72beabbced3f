// The Windows module carries the bitmaps as resources, compiled in by windres.
#include "editor/EditorBitmaps.h"

#include "host/PluginMain.h"

GuiResourceSource editorBitmaps() { return {moduleInstance}; }
