#pragma once
// The binding's editor with harmless defaults, and the update request that
// carries parameter changes from any thread to the window's.

#include <atomic>

#include "host/EffectEditor.h"

class EffectBase;

class EditorBase : public EffectEditor {
public:
  explicit EditorBase(EffectBase* editedEffect) : effect(editedEffect) {}

  VstInt32 reportRect(ERect** rect) override;
  VstInt32 open(void* window) override;
  void close() override {}
  void idle() override;
  virtual void update() {}
  virtual void requestUpdate() { updatePending.store(1, std::memory_order_relaxed); }
  VstInt32 onKeyDown(const KeyStroke& key) override;
  VstInt32 onKeyUp(const KeyStroke& key) override;
  VstInt32 setKnobMode(VstInt32 mode) override;
  virtual bool onWheel(float distance);
  // The panel follows at its next idle pass.
  void parameterChanged(VstInt32 index, float value) override;

protected:
  EffectBase* effect;
  void* parentWindow = nullptr;
  // Set from any thread that changes a parameter, cleared on the window's thread.
  std::atomic<VstInt32> updatePending{0};
};
