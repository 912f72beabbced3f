// Replaces the global allocation functions to count every allocation made
// while audio is processed, in the situations that do the most work: sample
// rate changes, sweep boundaries with new patterns, program changes and
// unconnected channels.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "engine/FilterSweepEffect.h"
#include "tests/engine/TestHost.h"

namespace {
std::atomic<long> allocationCount{0};
}

// The replacements pair malloc with free; GCC, seeing through them, would
// pair each new expression with free instead and warn.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  ++allocationCount;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

TEST(ProcessingAllocation, ProcessingAllocatesNothing) {
  TestHost host;
  FilterSweepEffect effect(host.callback(), 5u);
  host.serve(effect);
  effect.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
  effect.setParameterValue(kTimeDivision, 0.0f);
  effect.setParameterValue(kRepeatCount, 0.0f);
  effect.setParameterValue(kActiveFilters, 1.0f);
  std::vector<float> buffers[4] = {std::vector<float>(4096, 0.25f), std::vector<float>(4096, -0.25f),
                                   std::vector<float>(4096, 0.0f), std::vector<float>(4096, 0.0f)};
  float* inputs[2] = {buffers[0].data(), buffers[1].data()};
  float* outputs[2] = {buffers[2].data(), buffers[3].data()};
  const long before = allocationCount.load();
  for (int block = 0; block < 200; ++block) {
    if (block == 50) effect.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    if (block == 100) effect.selectProgram(3);
    if (block == 150) host.pinConnected[1][0] = false;
    effect.setParameterValue(kFilterMode, static_cast<float>(block % 6) / 5.0f);
    if (block % 2)
      effect.processBlockAdding(inputs, outputs, 4096);
    else
      effect.processBlockReplacing(inputs, outputs, 4096);
    host.samplePosition += 4096;
  }
  EXPECT_EQ(allocationCount.load() - before, 0);
  EXPECT_GT(host.timeRequests, 6000);
}
