#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "tests/reliability/PluginUnderTest.h"

namespace {
class Lifecycle : public AudioThreadWatchedTest {};

constexpr int kOpenCloseCycles = 500;
constexpr int kInstances = 16;
constexpr int kBlock = 512;

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
constexpr bool kHeapIsMeasurable = true;
long bytesInUse() { return static_cast<long>(mallinfo2().uordblks); }
#else
constexpr bool kHeapIsMeasurable = false;
long bytesInUse() { return 0; }
#endif

void openProcessAndClose(std::minstd_rand& random) {
  RunningPlugin plugin;
  StereoBuffers buffers(kBlock);
  buffers.fillInputWithNoise(random, 0.5f);
  plugin.process(buffers, kBlock, plugin.canReplace());
  plugin.host.dispatch(effMainsChanged, 0, 0);
  ASSERT_EQ(plugin.host.close(), 1);
}

// Settings that make the sound independent of the random step pattern.
void settle(RunningPlugin& plugin, int instance) {
  plugin.host.dispatch(effSetProgram, 0, instance);
  plugin.host.setParameter(kFilterMode, normalisedMode(1 + instance % 5));
  const float frequency = normalisedFrequency(100.0 + 400.0 * instance);
  plugin.host.setParameter(kMinimumFrequency, frequency);
  plugin.host.setParameter(kMaximumFrequency, frequency);
  plugin.host.setParameter(kResonance, 0.05f * static_cast<float>(instance));
  plugin.host.setParameter(kActiveFilters, normalisedActiveFilters(1 + instance % 4));
}

std::string programName(RunningPlugin& plugin, VstInt32 program) {
  char name[32] = {};
  plugin.host.dispatch(effGetProgramNameIndexed, program, -1, name);
  return name;
}
}  // namespace

TEST_F(Lifecycle, FiveHundredOpenCloseCyclesLeaveNothingBehind) {
  std::minstd_rand random(1);
  openProcessAndClose(random);  // the first instance fills process-wide tables
  const long before = bytesInUse();
  for (int cycle = 0; cycle < kOpenCloseCycles; ++cycle) {
    openProcessAndClose(random);
    if (HasFatalFailure()) return;
  }
  // LeakSanitizer checks the sanitizer build at exit; here the heap in use
  // must come back to where it was (a 32-byte leak per cycle would show).
  if (kHeapIsMeasurable) {
    EXPECT_LE(bytesInUse() - before, 16 * 1024);
  }
}

TEST_F(Lifecycle, SixteenInstancesKeepTheirOwnParametersProgramsAndSound) {
  std::minstd_rand random(2);
  constexpr int kBlocks = 40;
  StereoBuffers source(kBlock * kBlocks);
  source.fillInputWithNoise(random, 0.5f);

  std::vector<std::unique_ptr<RunningPlugin>> instances, references;
  std::vector<std::vector<float>> rendered(kInstances, std::vector<float>(2 * kBlock * kBlocks));
  for (int i = 0; i < kInstances; ++i) {
    Twins twins = makeTwins();
    instances.push_back(std::move(twins.first));
    references.push_back(std::move(twins.second));
    settle(*instances.back(), i);
    settle(*references.back(), i);
    std::string name = "Instance " + std::to_string(i);
    instances.back()->host.dispatch(effSetProgramName, 0, 0, name.data());
  }
  StereoBuffers block(kBlock);
  for (int b = 0; b < kBlocks; ++b)
    for (int i = 0; i < kInstances; ++i) {
      for (int ch = 0; ch < 2; ++ch)
        std::memcpy(block.inputs[ch], source.inputs[ch] + b * kBlock, kBlock * sizeof(float));
      block.clearOutput();
      instances[i]->process(block, kBlock);
      for (int ch = 0; ch < 2; ++ch)
        std::memcpy(&rendered[i][(ch * kBlocks + b) * kBlock], block.outputs[ch], kBlock * sizeof(float));
    }

  for (int i = 0; i < kInstances; ++i) {
    RunningPlugin& plugin = *instances[i];
    EXPECT_EQ(plugin.host.dispatch(effGetProgram), i);
    EXPECT_EQ(plugin.host.text(effGetProgramName), "Instance " + std::to_string(i));
    EXPECT_EQ(plugin.host.getParameter(kFilterMode), normalisedMode(1 + i % 5));
    EXPECT_EQ(plugin.host.getParameter(kResonance), 0.05f * static_cast<float>(i));
    // The other programs of the instance kept their defaults.
    plugin.host.dispatch(effSetProgram, 0, (i + 1) % kInstances);
    EXPECT_FLOAT_EQ(plugin.host.getParameter(kResonance), 0.5f);
    EXPECT_NE(programName(plugin, (i + 1) % kInstances).rfind("Default ", 0), std::string::npos);
  }
  instances.clear();

  // Each instance sounds exactly as its twin with the same settings does alone.
  for (int i = 0; i < kInstances; ++i) {
    RunningPlugin& alone = *references[i];
    for (int b = 0; b < kBlocks; ++b) {
      for (int ch = 0; ch < 2; ++ch)
        std::memcpy(block.inputs[ch], source.inputs[ch] + b * kBlock, kBlock * sizeof(float));
      block.clearOutput();
      alone.process(block, kBlock);
      for (int ch = 0; ch < 2; ++ch) {
        ASSERT_EQ(std::memcmp(&rendered[i][(ch * kBlocks + b) * kBlock], block.outputs[ch], kBlock * sizeof(float)), 0)
            << "instance " << i << ", block " << b << ", channel " << ch;
      }
    }
  }
}

// Two instances built in the same second start from the same pattern; each
// must then draw its later patterns from its own generator, untouched by the
// patterns other instances draw meanwhile.
TEST_F(Lifecycle, InstancesKeepTheirOwnStepPatterns) {
  std::minstd_rand random(3);
  StereoBuffers block(kBlock);
  auto configure = [](RunningPlugin& plugin) {
    plugin.host.setParameter(kMinimumFrequency, 0.0f);
    plugin.host.setParameter(kMaximumFrequency, 1.0f);
    plugin.host.setParameter(kSweepSpeed, 1.0f);
    plugin.host.setParameter(kTimeDivision, 0.0f);  // a step of a thirty-second note
    plugin.host.setParameter(kStepCount, 0.0f);     // two steps: a new sweep every 5512 samples
    plugin.host.setParameter(kRepeatCount, 0.0f);   // and a new pattern with each sweep
  };
  auto render = [&](RunningPlugin& plugin, std::vector<float>& out) {
    block.clearOutput();
    plugin.process(block, kBlock);
    out.assign(block.output[0].begin(), block.output[0].end());
  };

  Twins twins = makeTwins();
  RunningPlugin& first = *twins.first;
  RunningPlugin& second = *twins.second;
  std::vector<float> firstOut, secondOut;
  configure(first);
  configure(second);

  std::vector<std::unique_ptr<RunningPlugin>> others;
  for (int i = 0; i < 4; ++i) {
    others.push_back(std::make_unique<RunningPlugin>());
    configure(*others.back());
  }
  std::vector<float> scratch;
  for (int b = 0; b < 120; ++b) {  // about eleven sweeps, each drawing a new pattern
    block.fillInputWithNoise(random, 0.5f);
    for (auto& other : others) {
      other->host.setParameter(kRepeatCount, 0.0f);  // draws a new pattern at once
      render(*other, scratch);
    }
    render(first, firstOut);
    render(second, secondOut);
    ASSERT_EQ(firstOut, secondOut) << "block " << b;
  }
}

TEST_F(Lifecycle, CloseWithoutEverResumingAnswersOne) {
  StandInHost host(pluginModule().entry());
  ASSERT_NE(host.open(), nullptr);
  EXPECT_EQ(host.close(), 1);

  ASSERT_NE(host.open(), nullptr);
  host.setSampleRate(48000.0f);
  host.setParameter(kFilterMode, 0.9f);
  EXPECT_EQ(host.close(), 1);
}

TEST_F(Lifecycle, ProcessBeforeResumeAddsNothingAndReplacesWithSilence) {
  StandInHost host(pluginModule().entry());
  ASSERT_NE(host.open(), nullptr);
  std::minstd_rand random(4);
  StereoBuffers buffers(kBlock);
  buffers.fillInputWithNoise(random, 0.5f);
  for (bool replacing : {false, true}) {
    if (replacing && (host.effect()->flags & effFlagsCanReplacing) == 0) continue;
    buffers.fillOutput(0.25f);
    {
      AudioThreadProbe::ProcessingScope audioThread;
      if (replacing)
        host.processReplacing(buffers.inputs, buffers.outputs, kBlock);
      else
        host.process(buffers.inputs, buffers.outputs, kBlock);
    }
    for (int ch = 0; ch < 2; ++ch)
      for (float sample : buffers.output[ch]) ASSERT_EQ(sample, replacing ? 0.0f : 0.25f);
  }
  EXPECT_EQ(host.close(), 1);
}

TEST_F(Lifecycle, ResumeAndSuspendAThousandTimesBetweenBlocks) {
  RunningPlugin plugin;
  std::minstd_rand random(5);
  StereoBuffers buffers(64);
  for (int cycle = 0; cycle < 1000; ++cycle) {
    const bool resumed = cycle % 2 == 0;
    plugin.host.dispatch(effMainsChanged, 0, resumed ? 1 : 0);
    buffers.fillInputWithNoise(random, 0.5f);
    buffers.fillOutput(0.25f);
    const bool replacing = plugin.canReplace() && cycle % 4 == 0;
    plugin.process(buffers, 64, replacing);
    for (int ch = 0; ch < 2; ++ch) {
      ASSERT_TRUE(allFinite(buffers.outputs[ch], 64)) << "cycle " << cycle;
      // Suspended: adding leaves the buffer, replacing silences it.
      const float idle = replacing ? 0.0f : 0.25f;
      const bool idleOutput = std::all_of(buffers.output[ch].begin(), buffers.output[ch].end(),
                                          [idle](float sample) { return sample == idle; });
      ASSERT_EQ(idleOutput, !resumed) << "cycle " << cycle << ", channel " << ch;
    }
  }
}
