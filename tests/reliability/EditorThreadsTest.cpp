// The panel opened, idled and closed on the window thread a thousand times
// while another thread writes every parameter and selects programs, as a host
// playing automation does while the user opens and closes the plug-in.

#include <atomic>
#include <random>
#include <thread>

#include "tests/reliability/PluginUnderTest.h"
#include "tools/standin/EditorWindow.h"

namespace {
constexpr int kCycles = 1000;
constexpr unsigned kLastWritesMilliseconds = 200;
// Few levels, as stepped parameters have: a value comes back often, so a
// display drawn while a passing value stood must be redrawn all the same.
constexpr unsigned kLevels = 5;
}  // namespace

TEST(EditorThreads, PanelOpenedAndClosedWhileAnotherThreadWritesEndsShowingTheCurrentValues) {
  StandInHost host(pluginModule().entry());
  ASSERT_NE(host.open(), nullptr);
  if ((host.effect()->flags & effFlagsHasEditor) == 0) GTEST_SKIP() << "this build has no editor";
  EditorWindow window(host, 10, 10);
  ASSERT_TRUE(window.isOpen());
  window.closeEditor();

  std::atomic<bool> writing{true};
  std::thread automation([&] {
    std::minstd_rand random(70);
    while (writing.load(std::memory_order_relaxed)) {
      for (VstInt32 index = 0; index < kParameterCount; ++index)
        host.setParameter(index, static_cast<float>(random() % kLevels) / (kLevels - 1));
      host.dispatch(effSetProgram, 0, static_cast<VstIntPtr>(random() % kProgramCount));
    }
  });
  int opened = 0;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    opened += host.dispatch(effEditOpen, 0, 0, window.hostWindow()) == 1 ? 1 : 0;
    window.pumpAndIdle();
    window.closeEditor();
  }
  // The last writes land on a panel that is open and drawn.
  const bool reopened = window.reopenEditor();
  window.runFor(kLastWritesMilliseconds);
  writing = false;
  automation.join();
  EXPECT_EQ(opened, kCycles);
  ASSERT_TRUE(reopened);

  window.pumpAndIdle();
  const PanelPixels followed = window.capture();
  window.closeEditor();
  ASSERT_TRUE(window.reopenEditor());
  const PanelPixels fresh = window.capture();
  ASSERT_GT(fresh.width, 0);
  EXPECT_TRUE(followed.rgb == fresh.rgb) << "after one idle pass the panel shows what a new one shows";
}
