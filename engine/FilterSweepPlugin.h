#pragma once
// The plug-in object the library hands out: the effect with its editor, which
// it keeps informed of parameter and program changes.

#include <memory>

#include "engine/FilterSweepEffect.h"
#include "host/EffectEditor.h"

class FilterSweepPlugin final : public FilterSweepEffect {
public:
  // Makes the editor of a new plug-in object; may throw std::bad_alloc.
  using EditorMaker = std::unique_ptr<EffectEditor> (*)(FilterSweepPlugin& plugin);

  // Without a maker (no window system) the plug-in has no editor.
  explicit FilterSweepPlugin(AudioMasterCallback callback, EditorMaker makeEditor = nullptr);

  void setParameterValue(VstInt32 index, float value) override;
  void selectProgram(VstInt32 index) override;
};
