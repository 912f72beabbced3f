#include "engine/FilterSweepPlugin.h"

#include <new>

#include "editor/EditorBase.h"
#include "engine/EditorFactory.h"
#include "host/PluginMain.h"

FilterSweepPlugin::FilterSweepPlugin(AudioMasterCallback hostCallback) : FilterSweepEffect(hostCallback) {
  try {
    attachEditor(createFilterSweepEditor(*this));
  } catch (const std::bad_alloc&) {
    // The library's entry refuses this object; the host gets no record.
    creationFailed = true;
  }
}

void FilterSweepPlugin::setParameterValue(VstInt32 index, float value) {
  FilterSweepEffect::setParameterValue(index, value);
  if (editor != nullptr && acceptsParameterWrite(index, value)) editor->parameterChanged(index, value);
}

void FilterSweepPlugin::selectProgram(VstInt32 index) {
  FilterSweepEffect::selectProgram(index);
  if (editor == nullptr || index < 0 || index >= kProgramCount) return;
  for (VstInt32 i = 0; i < kParameterCount; ++i) editor->parameterChanged(i, parameterValue(i));
}
