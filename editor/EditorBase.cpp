#include "editor/EditorBase.h"

VstInt32 EditorBase::reportRect(ERect** rect) {
  *rect = nullptr;
  return 0;
}

VstInt32 EditorBase::open(void* window) {
  parentWindow = window;
  return 0;
}

void EditorBase::idle() {
  if (updatePending.exchange(0, std::memory_order_relaxed) != 0) update();
}

VstInt32 EditorBase::onKeyDown(const KeyStroke&) { return -1; }
VstInt32 EditorBase::onKeyUp(const KeyStroke&) { return -1; }
VstInt32 EditorBase::setKnobMode(VstInt32) { return 0; }
bool EditorBase::onWheel(float) { return false; }
void EditorBase::parameterChanged(VstInt32, float) { requestUpdate(); }
