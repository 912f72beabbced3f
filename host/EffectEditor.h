#pragma once
// The editor as the binding sees it: what the host's editor opcodes reach, and
// the effect's word that a parameter changed. The panel implements it.

#include "host/KeyStroke.h"
#include "host/VstAbi.h"

class EffectEditor {
public:
  virtual ~EffectEditor() = default;

  EffectEditor(const EffectEditor&) = delete;
  EffectEditor& operator=(const EffectEditor&) = delete;

  virtual VstInt32 reportRect(ERect** rect) = 0;
  virtual VstInt32 open(void* window) = 0;
  virtual void close() = 0;
  virtual void idle() = 0;
  virtual VstInt32 onKeyDown(const KeyStroke& key) = 0;
  virtual VstInt32 onKeyUp(const KeyStroke& key) = 0;
  virtual VstInt32 setKnobMode(VstInt32 mode) = 0;
  // The effect stored a new value of a parameter (from the host, a program
  // change or the editor itself); called from any of the host's threads.
  virtual void parameterChanged(VstInt32 index, float value) = 0;
  // The host's content scale factor for the panel, before or while it is
  // open; an editor that does not scale ignores it.
  virtual void setScaleFactor(float) {}

protected:
  EffectEditor() = default;
};
