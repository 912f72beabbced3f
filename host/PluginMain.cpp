#include "host/PluginMain.h"

#include "host/EffectBase.h"

void* moduleInstance = nullptr;
thread_local bool creationFailed = false;

AEffect* openPluginInstance(AudioMasterCallback hostCallback, EffectFactory factory) {
  if (hostCallback == nullptr) return nullptr;
  if (hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  creationFailed = false;
  EffectBase* effect = nullptr;
  try {
    effect = factory(hostCallback);
  } catch (...) {
    // Out of memory while building: refuse this object; a later call may succeed.
    effect = nullptr;
  }
  const bool failed = creationFailed;
  creationFailed = false;
  if (effect == nullptr) return nullptr;
  if (failed) {
    delete effect;
    return nullptr;
  }
  return effect->record();
}
