// The plug-in's entry with memory running out at each allocation it makes in
// turn: the host gets no effect or a working one, nothing is kept or freed
// twice, and the next call with memory to spare works.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "host/VstAbi.h"
#include "tests/reliability/FailingAllocator.h"
#include "tools/standin/PluginModule.h"

namespace {
constexpr VstInt32 kFrames = 256;

VstIntPtr VST_CALLBACK plainHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// Each time on a new thread, as hosts call the entry from threads of their
// own: whatever the library keeps per thread is made afresh in each.
AEffect* openWithAllocationFailing(long failAt, FailingAllocator::Tally& tally) {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  AEffect* effect = nullptr;
  std::thread caller([&] {
    FailingAllocator::arm(failAt);
    effect = module.entry()(plainHost);
    tally = FailingAllocator::disarm();
  });
  caller.join();
  return effect;
}

// Resumed, it turns a block of input into finite output, then closes.
bool worksAndCloses(AEffect* effect) {
  std::vector<float> in(kFrames, 0.5f), left(kFrames, 0.0f), right(kFrames, 0.0f);
  float* inputs[2] = {in.data(), in.data()};
  float* outputs[2] = {left.data(), right.data()};
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  effect->process(effect, inputs, outputs, kFrames);
  bool works = effect->numParams == 11 && effect->getParameter(effect, 4) >= 0.0f;
  for (const std::vector<float>* channel : {&left, &right})
    for (float sample : *channel) works = works && std::isfinite(sample);
  works = works && left[kFrames - 1] != 0.0f;
  return effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f) == 1 && works;
}
}  // namespace

TEST(AllocationFailure, EveryFailingAllocationInTheEntryGivesNoEffectOrAWorkingOne) {
  FailingAllocator::Tally complete;
  AEffect* effect = openWithAllocationFailing(0, complete);
  ASSERT_NE(effect, nullptr);
  ASSERT_TRUE(worksAndCloses(effect));
  ASSERT_GT(complete.allocations, 0);
  RecordProperty("allocations", static_cast<int>(complete.allocations));
  std::printf("a successful entry allocates %ld times\n", complete.allocations);

  for (long failAt = 1; failAt <= complete.allocations; ++failAt) {
    FailingAllocator::Tally tally;
    effect = openWithAllocationFailing(failAt, tally);
    if (effect == nullptr) {
      EXPECT_EQ(tally.stillHeld, 0) << "leaked when allocation " << failAt << " failed";
    } else {
      EXPECT_TRUE(worksAndCloses(effect)) << "allocation " << failAt << " failed";
    }
    FailingAllocator::Tally plenty;
    AEffect* later = openWithAllocationFailing(0, plenty);
    ASSERT_NE(later, nullptr) << "after allocation " << failAt << " failed";
    EXPECT_TRUE(worksAndCloses(later)) << "after allocation " << failAt << " failed";
  }
}
