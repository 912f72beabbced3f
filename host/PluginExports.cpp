// The one function a host looks up in the library. C++ reserves the name
// `main` for programs, so the function has another name and is exported as
// `main` (and as `VSTPluginMain`, which 64-bit hosts look for first).

#include "host/PluginMain.h"

#if defined(_WIN32)
// Exported under its public names by the module-definition file.
extern "C" AEffect* VST_CALLBACK pluginEntry(AudioMasterCallback hostCallback) {
  return openPluginInstance(hostCallback, createPluginEffect);
}
#else
extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(AudioMasterCallback hostCallback) {
  return openPluginInstance(hostCallback, createPluginEffect);
}
extern "C" __attribute__((visibility("default"))) AEffect* legacyPluginMain(AudioMasterCallback) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
#endif
