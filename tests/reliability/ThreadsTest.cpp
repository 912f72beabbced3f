#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "tests/reliability/PluginUnderTest.h"

namespace {
class Threads : public AudioThreadWatchedTest {};

using Clock = std::chrono::steady_clock;
constexpr auto kRunTime = std::chrono::milliseconds(2500);
constexpr int kBlock = 256;

// The host's user-interface thread at its busiest: parameter writes (with
// hostile values among them), program selection, renaming and copying, and
// every text query, for as long as the audio thread runs.
void busyUserInterface(StandInHost& host, const std::atomic<bool>& running, long& operations) {
  std::minstd_rand random(40);
  std::uniform_real_distribution<float> level(-0.25f, 1.25f);
  char text[256];
  while (running.load(std::memory_order_relaxed)) {
    const VstInt32 index = static_cast<VstInt32>(random() % kParameterCount);
    switch (random() % 8) {
      case 0: host.setParameter(index, level(random)); break;
      case 1: host.setParameter(index, random() % 2 ? NAN : INFINITY); break;
      case 2: host.dispatch(effSetProgram, 0, static_cast<VstIntPtr>(random() % kProgramCount)); break;
      case 3: {
        std::string name = "Take " + std::to_string(random() % 1000);
        host.dispatch(effSetProgramName, 0, 0, name.data());
        break;
      }
      case 4: host.dispatch(effCopyProgram, static_cast<VstInt32>(random() % kProgramCount)); break;
      case 5:
        for (VstInt32 opcode : {effGetParamDisplay, effGetParamName, effGetParamLabel})
          host.dispatch(opcode, index, 0, text);
        break;
      case 6:
        host.dispatch(effGetProgramName, 0, 0, text);
        host.dispatch(effGetProgramNameIndexed, static_cast<VstInt32>(random() % kProgramCount), 0, text);
        break;
      default: host.getParameter(index); break;
    }
    ++operations;
  }
}
}  // namespace

TEST_F(Threads, ProcessingWhileTheUserInterfaceThreadChangesEverything) {
  RunningPlugin plugin;
  plugin.host.setParameter(kTimeDivision, 0.0f);  // short sweeps: many boundaries and new patterns
  std::atomic<bool> running{true};
  long operations = 0;
  std::thread userInterface(busyUserInterface, std::ref(plugin.host), std::cref(running), std::ref(operations));

  std::minstd_rand random(41);
  StereoBuffers buffers(kBlock);
  long blocks = 0;
  bool finite = true;
  const auto end = Clock::now() + kRunTime;
  while (Clock::now() < end) {
    buffers.fillInputWithNoise(random, 0.5f);
    buffers.clearOutput();
    plugin.process(buffers, kBlock, plugin.canReplace() && blocks % 2 == 1);
    finite = finite && allFinite(buffers.outputs[0], kBlock) && allFinite(buffers.outputs[1], kBlock);
    ++blocks;
  }
  running = false;
  userInterface.join();
  EXPECT_TRUE(finite);
  EXPECT_GT(operations, 1000);
  RecordProperty("blocks", std::to_string(blocks));
  RecordProperty("userInterfaceOperations", std::to_string(operations));
}

TEST_F(Threads, ResumeAndSuspendAThousandTimesDuringProcessing) {
  RunningPlugin plugin;
  std::atomic<bool> running{true};
  std::atomic<int> toggles{0};
  std::thread host([&] {
    for (int i = 0; i < 1000; ++i) {
      plugin.host.dispatch(effMainsChanged, 0, i % 2 == 0 ? 0 : 1);
      toggles.store(i + 1, std::memory_order_relaxed);
      std::this_thread::yield();
    }
    running = false;
  });
  std::minstd_rand random(42);
  StereoBuffers buffers(64);
  bool finite = true;
  while (running.load()) {
    buffers.fillInputWithNoise(random, 0.5f);
    buffers.clearOutput();
    plugin.process(buffers, 64);
    finite = finite && allFinite(buffers.outputs[0], 64) && allFinite(buffers.outputs[1], 64);
  }
  host.join();
  EXPECT_TRUE(finite);
  EXPECT_EQ(toggles.load(), 1000);
  // The last call resumed: processing goes on.
  buffers.fillInputWithNoise(random, 0.5f);
  buffers.clearOutput();
  plugin.process(buffers, 64);
  EXPECT_GT(peakOf(buffers.outputs[0], 64), 0.0f);
}
