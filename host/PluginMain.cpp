#include "host/PluginMain.h"

#include "host/EffectBase.h"

void* moduleInstance = nullptr;

AEffect* openPluginInstance(AudioMasterCallback hostCallback, EffectFactory factory) {
  if (hostCallback == nullptr) return nullptr;
  if (hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  try {
    EffectBase* effect = factory(hostCallback);
    return effect == nullptr ? nullptr : effect->record();
  } catch (...) {
    // Out of memory while building: the parts already built have gone with the
    // exception; refuse this object, a later call may succeed. Nothing here
    // may allocate (no per-thread flag either: in a library loaded at run time
    // its storage is allocated on first use, and that failure aborts).
    return nullptr;
  }
}
