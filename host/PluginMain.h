#pragma once
// What the exported entry does, apart from the export itself.

#include "host/VstAbi.h"

class EffectBase;

// The library's instance handle, recorded when Windows loads it (null elsewhere);
// the editor hands it to the toolkit, which loads the panel's bitmaps from it.
extern void* moduleInstance;

using EffectFactory = EffectBase* (*)(AudioMasterCallback hostCallback);

// Asks the host for its version, builds one plug-in object and answers its
// record, or null when the host is unusable or the object could not be built.
// A factory reports a part it could not build by throwing.
AEffect* openPluginInstance(AudioMasterCallback hostCallback, EffectFactory factory);

// The plug-in object this library hands out; defined where the plug-in is assembled.
EffectBase* createPluginEffect(AudioMasterCallback hostCallback);
