#include "engine/FilterSweepPlugin.h"

FilterSweepPlugin::FilterSweepPlugin(AudioMasterCallback callback, EditorMaker makeEditor)
    : FilterSweepEffect(callback) {
  // An editor that cannot be made throws out of this constructor: the effect
  // goes with it and the library's entry refuses the object. Only a complete
  // editor is ever attached.
  if (makeEditor != nullptr) attachEditor(makeEditor(*this));
}

void FilterSweepPlugin::setParameterValue(VstInt32 index, float value) {
  FilterSweepEffect::setParameterValue(index, value);
  if (editor != nullptr && acceptsParameterWrite(index, value)) editor->parameterChanged(index, value);
}

void FilterSweepPlugin::selectProgram(VstInt32 index) {
  FilterSweepEffect::selectProgram(index);
  if (editor == nullptr || !isProgramIndex(index)) return;
  for (VstInt32 i = 0; i < kParameterCount; ++i) editor->parameterChanged(i, parameterValue(i));
}
