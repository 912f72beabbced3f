// A library with a VST 2 entry whose effect has one input and one output and
// passes its input through unchanged, NaN and infinity included.
#include <algorithm>

#include "host/VstAbi.h"

namespace {
VstIntPtr VST_CALLBACK dispatch(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }
void VST_CALLBACK passThrough(AEffect*, float** inputs, float** outputs, VstInt32 frames) {
  std::copy_n(inputs[0], frames, outputs[0]);
}
void VST_CALLBACK setNothing(AEffect*, VstInt32, float) {}
float VST_CALLBACK getNothing(AEffect*, VstInt32) { return 0.0f; }

AEffect effect{};
}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(AudioMasterCallback) {
  effect.magic = kEffectMagic;
  effect.dispatcher = dispatch;
  effect.process = passThrough;
  effect.processReplacing = passThrough;
  effect.setParameter = setNothing;
  effect.getParameter = getNothing;
  effect.numInputs = 1;
  effect.numOutputs = 1;
  effect.flags = effFlagsCanReplacing;
  return &effect;
}
