// The Linux panel opened, driven and closed on the host's user-interface
// thread while its audio thread processes: what a host does when the user
// clicks through plug-ins during playback.

// GoogleTest first: Xlib's macros (None, Bool) would rename its types.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include "engine/ParameterIndex.h"
#include "tests/gui/x11/X11TestSupport.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

namespace {

constexpr int kOpenings = 10;
constexpr VstInt32 kFrames = 256;

}  // namespace

TEST(LinuxPanelThreads, ThePanelComesAndGoesWhileTheAudioThreadProcesses) {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  StandInHost host(module.entry());
  ASSERT_NE(host.open(), nullptr);
  host.setSampleRate(44100.0f);
  host.dispatch(effSetBlockSize, 0, kFrames);
  host.dispatch(effMainsChanged, 0, 1);

  std::atomic<bool> running{true};
  std::atomic<bool> finite{true};
  std::thread audio([&] {
    std::vector<float> buffers[4];
    for (auto& buffer : buffers) buffer.assign(kFrames, 0.25f);
    float* inputs[2] = {buffers[0].data(), buffers[1].data()};
    float* outputs[2] = {buffers[2].data(), buffers[3].data()};
    while (running.load(std::memory_order_relaxed)) {
      host.processReplacing(inputs, outputs, kFrames);
      for (float sample : buffers[2]) finite = finite && std::isfinite(sample);
    }
  });

  X11HostWindow window;
  for (int opening = 0; opening < kOpenings; ++opening) {
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.handle()))), 1);
    for (int change = 0; change < 10; ++change) {
      host.setParameter((opening + change) % kParameterCount, static_cast<float>(change) / 9.0f);
      host.dispatch(effEditIdle);
    }
    host.dispatch(effSetProgram, 0, opening % 20);
    host.dispatch(effEditKeyDown, 0, 13);
    host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
  }
  running = false;
  audio.join();
  EXPECT_TRUE(finite.load());
}
