// Until the filter-sweep engine exists, the library hands out an effect that
// answers every opcode with the base classes' defaults and passes audio through.
#include "host/EffectBaseExt.h"
#include "host/PluginMain.h"

namespace {
class PassThroughEffect final : public EffectBaseExt {
public:
  explicit PassThroughEffect(AudioMasterCallback hostCallback) : EffectBaseExt(hostCallback, 20, 11) {
    setInputCount(2);
    setOutputCount(2);
    setCanMono(true);
    setUniqueIdentifier(fourCharacters('q', '2', '2', '2'));
  }
  void processBlockAdding(float** inputs, float** outputs, VstInt32 frames) override {
    if (inputs == nullptr || outputs == nullptr) return;
    for (int channel = 0; channel < 2; ++channel)
      if (inputs[channel] != nullptr && outputs[channel] != nullptr)
        for (VstInt32 s = 0; s < frames; ++s) outputs[channel][s] += inputs[channel][s];
  }
};
}  // namespace

EffectBase* createPluginEffect(AudioMasterCallback hostCallback) { return new PassThroughEffect(hostCallback); }
