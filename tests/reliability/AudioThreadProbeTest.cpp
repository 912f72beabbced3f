#include <cstdlib>
#include <memory>
#include <mutex>

#include "tests/reliability/AudioThreadProbe.h"
#include "tests/reliability/PluginUnderTest.h"

namespace {
// Keeps the compiler from removing an allocation that is freed at once.
void keep(void* block) { asm volatile("" : : "g"(block) : "memory"); }
}  // namespace

// The probe must see what it is there to see, or every clean result of the
// battery would mean nothing.
TEST(AudioThreadProbe, CountsAllocationsAndLocksOnlyInsideAProcessingScope) {
  if (!AudioThreadProbe::available()) GTEST_SKIP() << "no counting in this build";
  AudioThreadProbe::reset();
  std::mutex mutex;
  auto outside = std::make_unique<int>(1);
  { std::lock_guard<std::mutex> lock(mutex); }
  EXPECT_EQ(AudioThreadProbe::counts().allocations, 0);
  EXPECT_EQ(AudioThreadProbe::counts().locks, 0);
  {
    AudioThreadProbe::ProcessingScope audioThread;
    auto inside = std::make_unique<int>(2);
    keep(inside.get());
    void* block = std::malloc(16);
    keep(block);
    std::free(block);
    std::lock_guard<std::mutex> lock(mutex);
  }
  EXPECT_EQ(AudioThreadProbe::counts().allocations, 4);
  EXPECT_EQ(AudioThreadProbe::counts().locks, 1);
}

TEST(AudioThreadProbe, LeavesTheHostsOwnAnswersOut) {
  if (!AudioThreadProbe::available()) GTEST_SKIP() << "no counting in this build";
  RunningPlugin plugin;
  AudioThreadProbe::reset();
  StereoBuffers buffers(512);
  plugin.process(buffers, 512);
  // The stand-in host takes a lock to find itself at every request it answers.
  EXPECT_GT(plugin.host.pinRequests(), 0);
  EXPECT_EQ(AudioThreadProbe::counts().locks, 0);
}
