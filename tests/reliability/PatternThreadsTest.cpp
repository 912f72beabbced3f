// The step pattern seen from inside while the host's threads work on it: the
// engine linked in directly, because no host request reveals the pattern.

#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <thread>

#include "engine/FilterSweepPlugin.h"
#include "tests/reliability/PluginUnderTest.h"

namespace {
class PatternThreads : public AudioThreadWatchedTest {};

VstTimeInfo playingTime() {
  VstTimeInfo time{};
  time.tempo = 250.0;
  time.flags = kVstPpqPosValid | kVstTempoValid | kVstTransportPlaying;
  return time;
}
VstTimeInfo servedTime = playingTime();

VstIntPtr VST_CALLBACK answer(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterGetTime: return reinterpret_cast<VstIntPtr>(&servedTime);
    default: return 0;  // every pin connected
  }
}
}  // namespace

TEST_F(PatternThreads, PatternStaysWithinItsRangeWhileBothThreadsRedrawIt) {
  auto plugin = std::make_unique<FilterSweepPlugin>(answer);
  FilterSweepEffect& effect = *plugin;
  AEffect* record = plugin->record();
  record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
  record->setParameter(record, kTimeDivision, 0.0f);  // a sweep every sixteenth: boundaries all the time
  record->setParameter(record, kStepCount, 0.0f);
  record->setParameter(record, kRepeatCount, 0.0f);  // and a new pattern at each

  std::atomic<bool> running{true};
  std::atomic<long> outOfRange{0}, looks{0};
  std::thread userInterface([&] {
    std::minstd_rand random(50);
    while (running.load(std::memory_order_relaxed)) {
      record->setParameter(record, kRepeatCount, static_cast<float>(random() % 100) / 99.0f);
      record->setParameter(record, static_cast<VstInt32>(random() % kParameterCount), 0.5f);
    }
  });
  std::thread watcher([&] {
    while (running.load(std::memory_order_relaxed)) {
      for (int filter = 0; filter < FilterSweepEffect::kFiltersPerChannel; ++filter)
        for (int step = 0; step < FilterSweepEffect::kStepsPerRow; ++step) {
          const float level = effect.stepLevel(filter, step);
          if (!(level >= 0.0f && level <= 0.9999f)) ++outOfRange;
        }
      ++looks;
    }
  });

  std::minstd_rand random(51);
  StereoBuffers buffers(256);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
  while (std::chrono::steady_clock::now() < end) {
    buffers.fillInputWithNoise(random, 0.5f);
    AudioThreadProbe::ProcessingScope audioThread;
    record->process(record, buffers.inputs, buffers.outputs, 256);
    servedTime.ppqPos += 256 * servedTime.tempo / 60.0 / 44100.0;
  }
  running = false;
  userInterface.join();
  watcher.join();
  EXPECT_EQ(outOfRange.load(), 0);
  EXPECT_GT(looks.load(), 100);
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  plugin.release();  // effClose destroyed it
}
