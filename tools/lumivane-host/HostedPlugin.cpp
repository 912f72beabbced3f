#include "tools/lumivane-host/HostedPlugin.h"

#include "tools/lumivane-host/ToolError.h"

namespace {
// Limits beyond which a record is taken for garbage rather than a plug-in.
constexpr VstInt32 kMostChannels = 64;
constexpr VstInt32 kMostParametersOrPrograms = 100000;

bool plausible(const AEffect& effect) {
  return effect.magic == kEffectMagic && effect.dispatcher != nullptr && effect.numInputs >= 0 &&
         effect.numInputs <= kMostChannels && effect.numOutputs >= 0 && effect.numOutputs <= kMostChannels &&
         effect.numParams >= 0 && effect.numParams <= kMostParametersOrPrograms && effect.numPrograms >= 0 &&
         effect.numPrograms <= kMostParametersOrPrograms;
}
}  // namespace

PluginModule HostedPlugin::load(const std::string& path) {
  try {
    return PluginModule(path);
  } catch (const PluginLoadError& error) {
    throw ToolError(error.what());
  }
}

HostedPlugin::HostedPlugin(const std::string& path) : libraryPath(path), module(load(path)), standIn(module.entry()) {
  AEffect* effect = standIn.open();
  if (effect == nullptr) throw ToolError("plug-in " + path + " refused to open: its entry answered no effect");
  if (!plausible(*effect)) {
    // The record is not one we can drive, so it cannot be closed through it either.
    standIn.abandon();
    throw ToolError(path + " answered a record that is not a VST 2 effect");
  }
  standIn.dispatch(effOpen);
}
