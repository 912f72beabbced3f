#pragma once
// Where the plug-in gets its editor. Builds without a window system link a
// factory that answers null (no editor); the Windows and Linux plug-ins link the panel's.

class EditorBase;
class FilterSweepPlugin;

// Answers a new editor owned by the caller, or null; may throw std::bad_alloc.
EditorBase* createFilterSweepEditor(FilterSweepPlugin& plugin);
