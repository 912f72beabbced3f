// A library with a VST 2 entry that refuses every host, as a plug-in does when
// it cannot build its effect.
#include "host/VstAbi.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(AudioMasterCallback) { return nullptr; }
