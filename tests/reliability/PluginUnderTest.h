#pragma once
// The built plug-in as the battery drives it: loaded once per test program,
// opened through the stand-in host, processed inside the audio-thread probe.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "engine/ParameterIndex.h"
#include "tests/reliability/AudioThreadProbe.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

PluginModule& pluginModule();

constexpr VstInt32 kProgramCount = 20;

// Normalised values that select an item or a whole number exactly.
float normalisedMode(int mode);
float normalisedActiveFilters(int count);
float normalisedFrequency(double hertz);  // 20..10000 Hz on the logarithmic scale

// Two channels of input and output for blocks of up to `capacity` frames.
struct StereoBuffers {
  explicit StereoBuffers(int capacity);
  std::array<std::vector<float>, 2> input;
  std::array<std::vector<float>, 2> output;
  float* inputs[2];
  float* outputs[2];
  void clearOutput();
  void fillOutput(float value);
  void fillInputWithNoise(std::minstd_rand& random, float amplitude);
};

// One instance, opened and resumed at 44100 Hz.
class RunningPlugin {
public:
  RunningPlugin();
  StandInHost host{pluginModule().entry()};
  AEffect* effect = nullptr;
  bool canReplace() const;
  // The host's process call made as its audio thread makes it.
  void process(float** inputs, float** outputs, VstInt32 frames, bool replacing = false);
  void process(StereoBuffers& buffers, VstInt32 frames, bool replacing = false);
};

// Two instances built within the same second. Each draws its step patterns
// from a generator seeded with the calendar time, and the first pattern moves
// the cut-offs once while the instance is built, so only such twins sound
// exactly alike, whatever the settings.
struct Twins {
  std::unique_ptr<RunningPlugin> first;
  std::unique_ptr<RunningPlugin> second;
};
Twins makeTwins();

bool allFinite(const float* samples, int count);
float peakOf(const float* samples, int count);

// Fails the test when the plug-in allocated or locked while processing.
class AudioThreadWatchedTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
};
