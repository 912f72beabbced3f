#pragma once
// The plug-in under test, loaded once per test program, and small helpers for
// driving it through the stand-in host.

#include <vector>

#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

// The flags of the module's record: its panel, mono, and replacing processing
// everywhere but in the 32-bit Windows module, whose hosts process by adding.
#if defined(_WIN32) && !defined(_WIN64)
constexpr bool kModuleReplaces = false;
#else
constexpr bool kModuleReplaces = true;
#endif
constexpr VstInt32 kModuleFlags = effFlagsHasEditor | effFlagsCanMono | (kModuleReplaces ? effFlagsCanReplacing : 0);

// The process calls the module offers: adding, then replacing where it announces it.
inline std::vector<bool> offeredReplacingForms() {
  return kModuleReplaces ? std::vector<bool>{false, true} : std::vector<bool>{false};
}

inline PluginModule& plugin() {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  return module;
}

// Stereo buffers the host hands to the process calls.
struct StereoBuffers {
  std::vector<float> in[2];
  std::vector<float> out[2];
  float* inputs[2];
  float* outputs[2];
  StereoBuffers(const StereoBuffers&) = delete;
  StereoBuffers& operator=(const StereoBuffers&) = delete;
  StereoBuffers(int frames, float inputLevel, float outputFill) {
    for (int channel = 0; channel < 2; ++channel) {
      in[channel].resize(frames);
      for (int n = 0; n < frames; ++n)
        in[channel][n] = inputLevel * static_cast<float>((n * 37 + channel * 11) % 101 - 50) / 50.0f;
      out[channel].assign(frames, outputFill);
      inputs[channel] = in[channel].data();
      outputs[channel] = out[channel].data();
    }
  }
};
