// The editor opened and closed on the user-interface thread while the audio
// thread processes: what a host does when the user clicks through plug-ins
// during playback.

#include <atomic>
#include <random>
#include <thread>

#include "tests/reliability/PluginUnderTest.h"
#include "tools/standin/EditorWindow.h"

namespace {
class EditorWhileProcessing : public AudioThreadWatchedTest {};
constexpr int kOpenings = 25;
}  // namespace

TEST_F(EditorWhileProcessing, OpeningAndClosingTheEditorLeavesTheSoundFinite) {
  RunningPlugin plugin;
  if ((plugin.effect->flags & effFlagsHasEditor) == 0) GTEST_SKIP() << "this build has no editor";

  std::atomic<bool> running{true};
  std::atomic<long> blocks{0};
  std::atomic<bool> finite{true};
  std::thread audio([&] {
    std::minstd_rand random(60);
    StereoBuffers buffers(256);
    while (running.load(std::memory_order_relaxed)) {
      buffers.fillInputWithNoise(random, 0.5f);
      buffers.clearOutput();
      plugin.process(buffers, 256, plugin.canReplace() && blocks % 2 == 1);
      if (!allFinite(buffers.outputs[0], 256) || !allFinite(buffers.outputs[1], 256)) finite = false;
      ++blocks;
    }
  });

  std::minstd_rand random(61);
  int opened = 0;
  {
    EditorWindow window(plugin.host, 10, 10);
    for (int i = 0; i < kOpenings; ++i) {
      if (i > 0 && window.reopenEditor()) ++opened;
      if (i == 0 && window.isOpen()) ++opened;
      // The host changes things while the panel shows them.
      for (int change = 0; change < 10; ++change) {
        plugin.host.setParameter(static_cast<VstInt32>(random() % kParameterCount),
                                 static_cast<float>(random() % 1000) / 999.0f);
        window.pumpAndIdle();
      }
      plugin.host.dispatch(effSetProgram, 0, static_cast<VstIntPtr>(random() % kProgramCount));
      plugin.host.dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f);
      window.runFor(20);
      window.closeEditor();
      EXPECT_EQ(window.panelCount(), 0) << "opening " << i;
    }
  }
  running = false;
  audio.join();
  EXPECT_EQ(opened, kOpenings);
  EXPECT_TRUE(finite.load());
  EXPECT_GT(blocks.load(), kOpenings);
}
