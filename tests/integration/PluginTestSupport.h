#pragma once
// The plug-in under test, loaded once per test program, and small helpers for
// driving it through the stand-in host.

#include <vector>

#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

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
