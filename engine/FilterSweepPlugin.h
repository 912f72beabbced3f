#pragma once
// The plug-in object the library hands out: the effect with its editor, which
// it keeps informed of parameter and program changes.

#include "engine/FilterSweepEffect.h"

class FilterSweepPlugin final : public FilterSweepEffect {
public:
  explicit FilterSweepPlugin(AudioMasterCallback hostCallback);

  void setParameterValue(VstInt32 index, float value) override;
  void selectProgram(VstInt32 index) override;
};
