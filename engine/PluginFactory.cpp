#include "engine/FilterSweepPlugin.h"
#include "host/PluginMain.h"

EffectBase* createPluginEffect(AudioMasterCallback hostCallback) { return new FilterSweepPlugin(hostCallback); }
