#include "tests/reliability/PluginUnderTest.h"

#include <cmath>
#include <ctime>

PluginModule& pluginModule() {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  return module;
}

float normalisedMode(int mode) { return (static_cast<float>(mode) + 0.5f) / kModeCount; }
float normalisedActiveFilters(int count) { return (static_cast<float>(count) - 0.5f) / 4.0f; }
float normalisedFrequency(double hertz) {
  return static_cast<float>(std::log(hertz / 20.0) / std::log(10000.0 / 20.0));
}

StereoBuffers::StereoBuffers(int capacity) {
  for (int channel = 0; channel < 2; ++channel) {
    input[channel].assign(static_cast<std::size_t>(capacity), 0.0f);
    output[channel].assign(static_cast<std::size_t>(capacity), 0.0f);
    inputs[channel] = input[channel].data();
    outputs[channel] = output[channel].data();
  }
}

void StereoBuffers::clearOutput() { fillOutput(0.0f); }

void StereoBuffers::fillOutput(float value) {
  for (auto& channel : output) std::fill(channel.begin(), channel.end(), value);
}

void StereoBuffers::fillInputWithNoise(std::minstd_rand& random, float amplitude) {
  std::uniform_real_distribution<float> level(-amplitude, amplitude);
  for (auto& channel : input)
    for (float& sample : channel) sample = level(random);
}

RunningPlugin::RunningPlugin() {
  effect = host.open();
  if (effect == nullptr) throw PluginLoadError("the plug-in refused to open");
  host.setSampleRate(44100.0f);
  host.dispatch(effSetBlockSize, 0, 4096);
  host.dispatch(effMainsChanged, 0, 1);
}

bool RunningPlugin::canReplace() const { return (effect->flags & effFlagsCanReplacing) != 0; }

void RunningPlugin::process(float** inputs, float** outputs, VstInt32 frames, bool replacing) {
  AudioThreadProbe::ProcessingScope audioThread;
  if (replacing)
    host.processReplacing(inputs, outputs, frames);
  else
    host.process(inputs, outputs, frames);
}

void RunningPlugin::process(StereoBuffers& buffers, VstInt32 frames, bool replacing) {
  process(buffers.inputs, buffers.outputs, frames, replacing);
}

Twins makeTwins() {
  for (;;) {
    const std::time_t before = std::time(nullptr);
    Twins twins{std::make_unique<RunningPlugin>(), std::make_unique<RunningPlugin>()};
    if (std::time(nullptr) == before) return twins;
  }
}

bool allFinite(const float* samples, int count) {
  for (int i = 0; i < count; ++i)
    if (!std::isfinite(samples[i])) return false;
  return true;
}

float peakOf(const float* samples, int count) {
  float peak = 0.0f;
  for (int i = 0; i < count; ++i) peak = std::fmax(peak, std::fabs(samples[i]));
  return peak;
}

void AudioThreadWatchedTest::SetUp() { AudioThreadProbe::reset(); }

void AudioThreadWatchedTest::TearDown() {
  if (!AudioThreadProbe::available()) return;
  const AudioThreadProbe::Counts counts = AudioThreadProbe::counts();
  EXPECT_EQ(counts.allocations, 0) << "allocator calls made while processing";
  EXPECT_EQ(counts.locks, 0) << "locks taken while processing";
}
