#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/DenormalNoise.h"
#include "engine/FilterSweepEffect.h"
#include "engine/StateVariableFilter.h"
#include "tests/engine/TestHost.h"

namespace {
constexpr std::uint32_t kSeed = 20260101u;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::vector<float> steadyInput(int frames, float level) {
  std::vector<float> samples(frames);
  for (int n = 0; n < frames; ++n) samples[n] = level * static_cast<float>((n * 37) % 101 - 50) / 50.0f;
  return samples;
}

struct Fixture {
  TestHost host;
  FilterSweepEffect effect{host.callback(), kSeed};
  Fixture() {
    host.serve(effect);
    effect.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
  }
  std::vector<float> render(int frames, int blockSize, bool replacing = false) {
    return host.render(effect, steadyInput(frames, 0.5f), steadyInput(frames, -0.25f), blockSize, replacing);
  }
};
}  // namespace

// The four cut-offs start spread over 55..1760 Hz, and the one control update
// of construction glides each 1.5 % of the way (sweep speed 0.6) to its
// target of step 0.
TEST(FilterSweepEffect, ConstructionGlidesTheStartCutoffsOnceTowardsStepZero) {
  TestHost host;
  FilterSweepEffect effect(host.callback(), kSeed);
  const double starts[4] = {55.0, 481.25, 907.5, 1333.75};
  for (int i = 0; i < 4; ++i) {
    const double target = 55.0 + effect.stepLevel(i, 0) * (1760.0 - 55.0);
    EXPECT_NEAR((effect.cutoff(i) - starts[i]) / (target - starts[i]), 0.015, 1e-4) << i;
  }
  EXPECT_EQ(effect.filter(0, 0).currentMode(), FilterMode::kLowPass12);
  EXPECT_EQ(effect.programIndex(), 0);
}

TEST(FilterSweepEffect, StepLevelsAreDrawnFromTheSeededGenerator) {
  TestHost host;
  FilterSweepEffect effect(host.callback(), 1u);
  // The classic generator from seed 1 gives 41, 18467, 6334, ...
  EXPECT_EQ(effect.stepLevel(0, 0), 41.0f * 0.0001f);
  EXPECT_EQ(effect.stepLevel(0, 1), 8467.0f * 0.0001f);
  EXPECT_EQ(effect.stepLevel(0, 2), 6334.0f * 0.0001f);
  for (int i = 0; i < 4; ++i)
    for (int s = 0; s < 32; ++s) {
      EXPECT_GE(effect.stepLevel(i, s), 0.0f);
      EXPECT_LE(effect.stepLevel(i, s), 0.9999f);
    }
}

TEST(FilterSweepEffect, WhileSuspendedAddingLeavesTheOutputAndReplacingSilencesIt) {
  TestHost host;
  FilterSweepEffect effect(host.callback(), kSeed);
  std::vector<float> in(64, 0.5f), out(64, 7.0f), left(64, 7.0f), right(64, 7.0f);
  float* inputs[2] = {in.data(), in.data()};
  float* outputs[2] = {out.data(), out.data()};
  effect.processBlockAdding(inputs, outputs, 64);
  for (float sample : out) ASSERT_EQ(sample, 7.0f);
  // A host that calls the replacing entry expects its buffers written.
  const bool replaces = (effect.record()->flags & effFlagsCanReplacing) != 0;
  float* replaced[2] = {left.data(), right.data()};
  effect.processBlockReplacing(inputs, replaced, 64);
  for (const auto* channel : {&left, &right})
    for (float sample : *channel) ASSERT_EQ(sample, replaces ? 0.0f : 7.0f);
  EXPECT_EQ(host.timeRequests, 0);
  EXPECT_EQ(host.pinRequests, 0);
}

TEST(FilterSweepEffect, FirstBlockOf300SamplesUpdatesAtSamples0And128And256) {
  Fixture f;
  f.render(300, 300);
  EXPECT_EQ(f.host.timeRequests, 3);
  EXPECT_EQ(f.host.pinRequests, 4) << "two pins per channel, once per block";
  f.render(84, 84);
  EXPECT_EQ(f.host.timeRequests, 3) << "the next update is due at sample 384";
  f.render(1, 1);
  EXPECT_EQ(f.host.timeRequests, 4);
}

TEST(FilterSweepEffect, BypassWithOneFilterAddsTheInputAndTheTinyNoise) {
  Fixture f;
  f.effect.setParameterValue(kFilterMode, 0.0f);
  std::vector<float> in = steadyInput(256, 0.5f), zero(256, 0.0f), out(256, 1.0f), silentOut(256, 0.0f);
  // Blocks of uneven length: the noise runs on across them.
  for (int start : {0, 101}) {
    float* inputs[2] = {in.data() + start, zero.data() + start};
    float* outputs[2] = {out.data() + start, silentOut.data() + start};
    f.effect.processBlockAdding(inputs, outputs, start == 0 ? 101 : 155);
  }
  bool noiseVaries = false;
  for (int n = 0; n < 256; ++n) {
    if (in[n] != 0.0f) {
      ASSERT_EQ(out[n], 1.0f + in[n]) << n;
    }
    ASSERT_LE(std::fabs(silentOut[n]), 1.0e-15f) << n;
    ASSERT_EQ(silentOut[n], DenormalNoise::shared().at((n + 1) % DenormalNoise::kSize)) << "entry 1 comes first";
    noiseVaries = noiseVaries || silentOut[n] != silentOut[0];
  }
  EXPECT_TRUE(noiseVaries);
}

TEST(FilterSweepEffect, BypassWithFourFiltersAddsTwiceTheInput) {
  for (bool replacing : {false, true}) {
    Fixture f;
    f.effect.setParameterValue(kFilterMode, 0.0f);
    f.effect.setParameterValue(kActiveFilters, 1.0f);
    std::vector<float> in = steadyInput(300, 0.5f), out(300, replacing ? 9.0f : 0.0f);
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {out.data(), nullptr};
    if (replacing)
      f.effect.processBlockReplacing(inputs, outputs, 300);
    else
      f.effect.processBlockAdding(inputs, outputs, 300);
    for (int n = 0; n < 300; ++n) {
      if (in[n] != 0.0f) {
        ASSERT_EQ(out[n], 2.0f * in[n]) << n << (replacing ? " replacing" : " adding");
      }
    }
  }
}

TEST(FilterSweepEffect, ReplacingGivesExactlyWhatAddingIntoZeroedBuffersGives) {
  Fixture adding;
  Fixture replacing;
  for (Fixture* f : {&adding, &replacing}) {
    f->effect.setParameterValue(kActiveFilters, 0.7f);
    f->effect.setParameterValue(kFilterMode, 1.0f);
    f->effect.setParameterValue(kTimeDivision, 0.0f);
  }
  const std::vector<float> added = adding.render(20000, 333);
  // Replacing into buffers full of old data, in place (input and output the same).
  std::vector<float> left = steadyInput(20000, 0.5f), right = steadyInput(20000, -0.25f);
  for (int start = 0; start < 20000; start += 333) {
    const int count = std::min(333, 20000 - start);
    float* buffers[2] = {left.data() + start, right.data() + start};
    replacing.effect.processBlockReplacing(buffers, buffers, count);
    replacing.host.samplePosition += count;
  }
  for (int n = 0; n < 20000; ++n) {
    ASSERT_EQ(left[n], added[n]) << n;
    ASSERT_EQ(right[n], added[20000 + n]) << n;
  }
}

TEST(FilterSweepEffect, ChannelWithoutOutputOrConnectionIsLeftAloneWhileTheSweepRuns) {
  Fixture f;
  std::vector<float> in = steadyInput(512, 0.5f), left(512, 3.0f), right(512, 3.0f);
  float* inputs[2] = {in.data(), in.data()};
  float* missingRight[2] = {left.data(), nullptr};
  f.effect.processBlockAdding(inputs, missingRight, 512);
  EXPECT_NE(left[100], 3.0f);
  EXPECT_EQ(f.host.timeRequests, 4) << "the clock and control updates run on";
  f.host.pinConnected[0][1] = false;  // the host answers 1 for input pin 1
  float* both[2] = {left.data(), right.data()};
  const int pinRequestsBefore = f.host.pinRequests;
  f.effect.processBlockAdding(inputs, both, 512);
  EXPECT_EQ(f.host.pinRequests - pinRequestsBefore, 4) << "both pins of each channel, whatever the answers";
  for (float sample : right) ASSERT_EQ(sample, 3.0f);
  f.effect.processBlockReplacing(inputs, both, 512);
  for (float sample : right) ASSERT_EQ(sample, 0.0f) << "replacing gives an unprocessed channel silence";
  float** noInputs = nullptr;
  f.effect.processBlockAdding(noInputs, both, 512);
  EXPECT_EQ(f.host.timeRequests, 16);
}

TEST(FilterSweepEffect, SuspendKeepsEveryStateAndResumeContinuesFromIt) {
  Fixture interrupted;
  Fixture continuous;
  const std::vector<float> whole = continuous.render(2000, 500);
  std::vector<float> first = interrupted.render(1000, 500);
  interrupted.effect.dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
  std::vector<float> in(500, 0.5f), out(500, 4.0f);
  float* inputs[2] = {in.data(), in.data()};
  float* outputs[2] = {out.data(), out.data()};
  interrupted.effect.processBlockAdding(inputs, outputs, 500);
  for (float sample : out) ASSERT_EQ(sample, 4.0f);
  interrupted.effect.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
  const std::vector<float> input = steadyInput(2000, 0.5f), inputRight = steadyInput(2000, -0.25f);
  const std::vector<float> second =
      interrupted.host.render(interrupted.effect, std::vector<float>(input.begin() + 1000, input.end()),
                              std::vector<float>(inputRight.begin() + 1000, inputRight.end()), 500);
  for (int n = 0; n < 1000; ++n) {
    ASSERT_EQ(first[n], whole[n]);
    ASSERT_EQ(second[n], whole[1000 + n]) << n;
    ASSERT_EQ(second[1000 + n], whole[3000 + n]) << n;
  }
}

TEST(FilterSweepEffect, NewSampleRateReachesTheCoefficientsAtTheNextControlUpdate) {
  Fixture f;
  f.render(100, 100);
  f.render(100, 100);
  const float before = f.effect.filter(0, 0).stateVariableFilter().frequencyCoefficient();
  f.effect.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  f.render(1, 1);
  EXPECT_EQ(f.effect.filter(1, 3).stateVariableFilter().currentSampleRate(), 48000.0f);
  EXPECT_EQ(f.effect.stepClock().clockSampleRate(), 48000.0f);
  EXPECT_EQ(f.effect.filter(0, 0).stateVariableFilter().frequencyCoefficient(), before);
  f.render(55, 55);  // samples 201..255: still no update
  EXPECT_EQ(f.effect.filter(0, 0).stateVariableFilter().frequencyCoefficient(), before);
  f.render(1, 1);  // sample 256
  StateVariableFilter reference(48000.0f);
  reference.recomputeCoefficients(f.effect.cutoff(0), 0.5f);
  EXPECT_EQ(f.effect.filter(0, 0).stateVariableFilter().frequencyCoefficient(), reference.frequencyCoefficient());
}

TEST(FilterSweepEffect, UnusableSampleRatesAreNeverHandedOn) {
  Fixture f;
  for (float rate : {0.0f, -44100.0f, kNaN, std::numeric_limits<float>::infinity()}) {
    f.effect.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    const std::vector<float> out = f.render(512, 512);
    for (float sample : out) ASSERT_TRUE(std::isfinite(sample)) << rate;
    EXPECT_EQ(f.effect.filter(0, 0).stateVariableFilter().currentSampleRate(), 44100.0f) << rate;
  }
  f.effect.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  f.render(1, 1);
  EXPECT_EQ(f.effect.filter(0, 0).ladderFilter().currentSampleRate(), 96000.0f);
}

TEST(FilterSweepEffect, NonFiniteInputSampleSilencesOnlyUntilTheNextControlUpdate) {
  for (float bad : {kNaN, std::numeric_limits<float>::infinity()}) {
    Fixture f;
    f.effect.setParameterValue(kFilterMode, 1.0f);
    f.effect.setParameterValue(kActiveFilters, 1.0f);
    f.render(10, 10);
    std::vector<float> in = steadyInput(512, 0.5f), out(512, 0.0f);
    in[0] = bad;
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {out.data(), out.data()};
    f.effect.processBlockAdding(inputs, outputs, 512);
    for (int n = 256; n < 512; ++n) ASSERT_TRUE(std::isfinite(out[n])) << n;
  }
}

TEST(FilterSweepEffect, LoudInputIntoAResonantLadderRecoversAtTheNextControlUpdate) {
  Fixture f;
  f.effect.setParameterValue(kFilterMode, 1.0f);
  f.effect.setParameterValue(kResonance, 1.0f);
  f.effect.setParameterValue(kMinimumFrequency, 0.7f);
  f.effect.setParameterValue(kMaximumFrequency, 0.7f);
  std::vector<float> loud(256), quiet = steadyInput(1024, 0.1f), out(1024, 0.0f);
  for (int n = 0; n < 256; ++n) loud[n] = n % 2 ? 1.0e7f : -1.0e7f;
  float* inputs[2] = {loud.data(), loud.data()};
  std::vector<float> scratch(256, 0.0f);
  float* outputs[2] = {scratch.data(), scratch.data()};
  f.effect.processBlockReplacing(inputs, outputs, 256);
  float* quietIn[2] = {quiet.data(), quiet.data()};
  float* quietOut[2] = {out.data(), out.data()};
  f.effect.processBlockReplacing(quietIn, quietOut, 1024);
  for (int n = 128; n < 1024; ++n) ASSERT_TRUE(std::isfinite(out[n])) << n;
}

TEST(FilterSweepEffect, ParameterIndexOutsideTheTableChangesNothingAndAnswersNothing) {
  TestHost host;
  FilterSweepEffect effect(host.callback(), kSeed);
  for (VstInt32 index : {-1, 11, 1000, std::numeric_limits<VstInt32>::min()}) {
    effect.setParameterValue(index, 0.3f);
    EXPECT_EQ(effect.parameterValue(index), 0.0f);
    char text[32];
    std::memset(text, 'x', sizeof text);
    effect.copyParameterName(index, text);
    EXPECT_EQ(std::string(text), "");
    for (int i = 0; i < 24; ++i) EXPECT_EQ(text[i], '\0');
    effect.copyParameterLabel(index, text);
    EXPECT_EQ(std::string(text), "");
    effect.copyParameterDisplay(index, text);
    EXPECT_EQ(std::string(text), "");
    effect.copyParameterShortDisplay(index, text);
    EXPECT_EQ(std::string(text), "");
    EXPECT_EQ(effect.parameterObject(index), nullptr);
  }
  EXPECT_FLOAT_EQ(effect.parameterValue(kFilterMode), 0.2f);
}

TEST(FilterSweepEffect, ParameterNamesAndLabelsReachTheHostAs24ZeroFilledBytes) {
  TestHost host;
  FilterSweepEffect effect(host.callback(), kSeed);
  using Copy = void (FilterSweepEffect::*)(VstInt32, char*);
  const struct {
    Copy copy;
    const char* text;
  } cases[] = {{&FilterSweepEffect::copyParameterName, "Sweep"}, {&FilterSweepEffect::copyParameterLabel, " Speed"}};
  for (const auto& c : cases) {
    char text[32];
    std::memset(text, 'x', sizeof text);
    (effect.*c.copy)(kSweepSpeed, text);
    EXPECT_STREQ(text, c.text);
    for (std::size_t i = std::strlen(c.text); i < 24; ++i) EXPECT_EQ(text[i], '\0') << c.text << " " << i;
    EXPECT_EQ(text[24], 'x') << c.text;
  }
}

TEST(FilterSweepEffect, NaNWriteIsIgnoredEvenForRepeat) {
  TestHost host;
  FilterSweepEffect effect(host.callback(), kSeed);
  const float level = effect.stepLevel(2, 7);
  for (VstInt32 index = 0; index < kParameterCount; ++index) {
    const float before = effect.parameterValue(index);
    effect.setParameterValue(index, kNaN);
    EXPECT_EQ(effect.parameterValue(index), before) << index;
  }
  EXPECT_EQ(effect.stepLevel(2, 7), level);
}

TEST(FilterSweepEffect, WritingRepeatDrawsANewPatternAndOtherWritesNever) {
  TestHost host;
  FilterSweepEffect effect(host.callback(), kSeed);
  auto pattern = [&] {
    std::vector<float> levels;
    for (int i = 0; i < 4; ++i)
      for (int s = 0; s < 32; ++s) levels.push_back(effect.stepLevel(i, s));
    return levels;
  };
  const std::vector<float> first = pattern();
  for (VstInt32 index = 0; index < kParameterCount; ++index)
    if (index != kRepeatCount) effect.setParameterValue(index, effect.parameterValue(index));
  EXPECT_EQ(pattern(), first);
  effect.setParameterValue(kRepeatCount, effect.parameterValue(kRepeatCount));
  EXPECT_NE(pattern(), first);
}

TEST(FilterSweepEffect, OutOfRangeResonanceAndSweepAreReadAsTheirLimits) {
  Fixture wild;
  Fixture tame;
  wild.effect.setParameterValue(kResonance, 40.0f);
  wild.effect.setParameterValue(kSweepSpeed, -3.0f);
  tame.effect.setParameterValue(kResonance, 1.0f);
  tame.effect.setParameterValue(kSweepSpeed, 0.0f);
  char text[24];
  wild.effect.copyParameterDisplay(kResonance, text);
  EXPECT_STREQ(text, "40.00") << "the descriptor keeps what the host wrote";
  for (Fixture* f : {&wild, &tame}) f->effect.setParameterValue(kFilterMode, 0.5f);
  EXPECT_EQ(wild.render(4096, 512), tame.render(4096, 512));
  EXPECT_EQ(wild.effect.cutoff(1), tame.effect.cutoff(1));
}

TEST(FilterSweepEffect, SweepZeroFreezesTheCutoffs) {
  Fixture f;
  f.effect.setParameterValue(kSweepSpeed, 0.0f);
  const float frozen[4] = {f.effect.cutoff(0), f.effect.cutoff(1), f.effect.cutoff(2), f.effect.cutoff(3)};
  f.render(44100, 512);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.effect.cutoff(i), frozen[i]);
}

TEST(FilterSweepEffect, EqualMinimumAndMaximumFrequencyDrawEveryCutoffToIt) {
  Fixture f;
  f.effect.setParameterValue(kMinimumFrequency, 0.629488289f);
  f.effect.setParameterValue(kMaximumFrequency, 0.629488289f);
  f.effect.setParameterValue(kSweepSpeed, 1.0f);
  f.render(3 * 44100, 512);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(f.effect.cutoff(i), 1000.0f, 0.01f) << i;
}

TEST(FilterSweepEffect, HostSyncGivesTheSameSweepForEveryBlockSize) {
  // Eighth-note steps, two per sweep, a new pattern every sweep: one boundary
  // per beat, each of which changes the sound.
  auto renderWith = [](int blockSize) {
    Fixture f;
    f.effect.setParameterValue(kTimeDivision, 3.0f / 63.0f);
    f.effect.setParameterValue(kStepCount, 0.0f);
    f.effect.setParameterValue(kRepeatCount, 0.0f);
    f.effect.setParameterValue(kSweepSpeed, 1.0f);
    return f.render(6 * 22050 + 300, blockSize);
  };
  const std::vector<float> exact = renderWith(1);
  for (int blockSize : {64, 512, 4096}) EXPECT_TRUE(renderWith(blockSize) == exact) << blockSize;
}

TEST(FilterSweepEffect, NewPatternAtTheFirstBoundaryAndThenEveryFourSweeps) {
  Fixture f;
  std::vector<double> changes;
  float level = f.effect.stepLevel(0, 0);
  const int blockSize = 441;  // 0.02 beats at 120 beats per minute
  for (int block = 0; block < 2100; ++block) {
    f.render(blockSize, blockSize);
    if (f.effect.stepLevel(0, 0) != level) {
      changes.push_back(f.host.samplePosition * 2.0 / 44100.0);
      level = f.effect.stepLevel(0, 0);
    }
  }
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_NEAR(changes[0], 8.0, 0.021);
  EXPECT_NEAR(changes[1], 40.0, 0.021);
}

TEST(FilterSweepEffect, HostWithoutTimeInformationStillFilters) {
  Fixture f;
  f.host.timeAvailable = false;
  const std::vector<float> out = f.render(44100, 512);
  double energy = 0.0;
  for (float sample : out) {
    ASSERT_TRUE(std::isfinite(sample));
    energy += sample * sample;
  }
  EXPECT_GT(energy, 1.0);
  EXPECT_EQ(f.effect.stepClock().beatPosition(), 0.0);
}

TEST(FilterSweepEffect, ProgramChangeTakesEffectAtTheNextControlUpdate) {
  Fixture f;
  f.effect.selectProgram(5);
  f.effect.setParameterValue(kFilterMode, 1.0f);
  f.render(1, 1);
  EXPECT_EQ(f.effect.filter(0, 0).currentMode(), FilterMode::kLowPass24);
  f.effect.selectProgram(0);
  f.render(127, 127);
  EXPECT_EQ(f.effect.filter(0, 0).currentMode(), FilterMode::kLowPass24);
  f.render(1, 1);
  EXPECT_EQ(f.effect.filter(0, 0).currentMode(), FilterMode::kLowPass12);
  f.effect.selectProgram(20);
  EXPECT_EQ(f.effect.programIndex(), 0);
}
