#pragma once
// The editor as the effect and its dispatcher see it, with harmless defaults.

#include <atomic>

#include "host/KeyStroke.h"
#include "host/VstAbi.h"

class EffectBase;

class EditorBase {
public:
  explicit EditorBase(EffectBase* effect) : effect(effect) {}
  virtual ~EditorBase() = default;

  EditorBase(const EditorBase&) = delete;
  EditorBase& operator=(const EditorBase&) = delete;

  virtual VstInt32 reportRect(ERect** rect);
  virtual VstInt32 open(void* window);
  virtual void close() {}
  virtual void idle();
  virtual void update() {}
  virtual void requestUpdate() { updatePending.store(1, std::memory_order_relaxed); }
  virtual VstInt32 onKeyDown(const KeyStroke& key);
  virtual VstInt32 onKeyUp(const KeyStroke& key);
  virtual VstInt32 setKnobMode(VstInt32 mode);
  virtual bool onWheel(float distance);
  // The effect stored a new value of a parameter (from the host, a program
  // change or the editor itself); the panel follows at its next idle pass.
  virtual void parameterChanged(VstInt32 index, float value);

protected:
  EffectBase* effect;
  void* parentWindow = nullptr;
  // Set from any thread that changes a parameter, cleared on the window's thread.
  std::atomic<VstInt32> updatePending{0};
};
