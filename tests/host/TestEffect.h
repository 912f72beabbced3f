#pragma once
// A minimal effect on the host binding's base classes, recording what reaches it.

#include <string>
#include <vector>

#include "host/EffectBaseExt.h"
#include "host/EffectEditor.h"

class TestEffect : public EffectBaseExt {
public:
  explicit TestEffect(AudioMasterCallback callback, int* destructionCounter = nullptr)
      : EffectBaseExt(callback, 20, 11), destroyed(destructionCounter) {}
  ~TestEffect() override {
    if (destroyed) ++*destroyed;
  }

  void processBlockAdding(float**, float**, VstInt32 frames) override { processedFrames += frames; }
  void selectProgram(VstInt32 index) override {
    selected.push_back(index);
    EffectBaseExt::selectProgram(index);
  }

  using EffectBase::hostCallback;
  std::vector<VstInt32> selected;
  VstInt32 processedFrames = 0;

private:
  int* destroyed;
};

// An editor that remembers the keys and the knob mode it was given.
class RecordingEditor : public EffectEditor {
public:
  VstInt32 reportRect(ERect**) override { return 0; }
  VstInt32 open(void*) override { return 0; }
  void close() override {}
  void idle() override {}
  void parameterChanged(VstInt32, float) override {}
  VstInt32 onKeyDown(const KeyStroke& key) override {
    keys.push_back(key);
    return 7;
  }
  VstInt32 onKeyUp(const KeyStroke& key) override {
    keys.push_back(key);
    return 8;
  }
  VstInt32 setKnobMode(VstInt32 mode) override {
    knobMode = mode;
    return 1;
  }
  std::vector<KeyStroke> keys;
  VstInt32 knobMode = -1;
};

// One request the effect sent to its host callback.
struct SentRequest {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
};

// A host callback that records every request and answers a settable value.
struct RecordingHost {
  static std::vector<SentRequest> requests;
  static VstIntPtr answer;
  static VstIntPtr VST_CALLBACK callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                         float opt) {
    requests.push_back(SentRequest{opcode, index, value, ptr, opt});
    return answer;
  }
  static void reset(VstIntPtr newAnswer) {
    requests.clear();
    answer = newAnswer;
  }
};
