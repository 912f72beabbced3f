#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "MemoryAudio.h"
#include "tools/lumivane-host/HostedPlugin.h"
#include "tools/lumivane-host/ParameterResolver.h"
#include "tools/lumivane-host/Renderer.h"
#include "tools/lumivane-host/TestSignal.h"

namespace {
constexpr int kRate = 44100;
constexpr std::int64_t kPluginTail = 1024;

std::vector<float> sine(int channels, std::int64_t frames, double hertz) {
  std::vector<float> samples;
  for (std::int64_t s = 0; s < frames; ++s)
    for (int channel = 0; channel < channels; ++channel)
      samples.push_back(static_cast<float>(0.5 * std::sin(2.0 * M_PI * hertz * s / kRate)));
  return samples;
}

double energy(const std::vector<float>& interleaved, int channel) {
  double sum = 0.0;
  for (std::size_t i = channel; i < interleaved.size(); i += 2) sum += double(interleaved[i]) * interleaved[i];
  return sum;
}

MemorySink renderWith(HostedPlugin& plugin, AudioSource& source, int blockSize,
                      const std::vector<std::string>& assignments = {}) {
  Renderer renderer(plugin.host(), source.sampleRate(), blockSize);
  ParameterResolver resolver(plugin.host());
  for (const std::string& assignment : assignments) {
    const ResolvedParameter resolved = resolver.resolve(assignment);
    plugin.host().setParameter(resolved.index, resolved.value);
  }
  MemorySink sink(2);
  renderer.render(source, sink, TransportSettings{});
  return sink;
}

MemorySink render(AudioSource& source, int blockSize) {
  HostedPlugin plugin(LUMIVANE_PLUGIN_PATH);
  return renderWith(plugin, source, blockSize);
}
}  // namespace

TEST(Renderer, MonoInputFeedsBothChannelsAlike) {
  MemorySource mono(1, kRate, sine(1, 5000, 220.0));
  const MemorySink out = render(mono, 512);
  ASSERT_EQ(out.samples.size(), 2u * (5000 + kPluginTail));
  EXPECT_GT(energy(out.samples, 0), 1.0);
  for (std::size_t i = 0; i < out.samples.size(); i += 2) ASSERT_EQ(out.samples[i], out.samples[i + 1]) << i / 2;
}

TEST(Renderer, StereoInputKeepsItsChannelsApart) {
  std::vector<float> leftOnly = sine(2, 5000, 220.0);
  for (std::size_t i = 1; i < leftOnly.size(); i += 2) leftOnly[i] = 0.0f;
  MemorySource stereo(2, kRate, leftOnly);
  const MemorySink out = render(stereo, 512);
  EXPECT_GT(energy(out.samples, 0), 1.0);
  EXPECT_LT(energy(out.samples, 1), 1e-12);
}

TEST(Renderer, ProcessesThePluginsTailAfterTheInputInBlocksOfTheChosenSize) {
  MemorySource input(2, kRate, sine(2, 1000, 440.0));
  const MemorySink out = render(input, 300);
  std::int64_t frames = 0;
  for (std::int64_t length : out.blockLengths) {
    EXPECT_LE(length, 300);
    frames += length;
  }
  EXPECT_EQ(frames, 1000 + kPluginTail);
  EXPECT_EQ(out.blockLengths.size(), 7u);  // 2024 frames: six full blocks and 224
}

TEST(Renderer, ServesTheTransportFromTheChosenBeatAtTheChosenTempo) {
  HostedPlugin plugin(LUMIVANE_PLUGIN_PATH);
  Renderer renderer(plugin.host(), kRate, 256);
  MemorySource input(2, kRate, sine(2, kRate, 440.0));
  MemorySink sink(2);
  renderer.render(input, sink, TransportSettings{90.0, 8.0, true});
  const double seconds = double(kRate + kPluginTail) / kRate;
  EXPECT_NEAR(plugin.host().transport.beat, 8.0 + seconds * 90.0 / 60.0, 1e-9);
  EXPECT_GT(plugin.host().timeRequests(), 0);

  MemorySource again(2, kRate, sine(2, 1000, 440.0));
  renderer.render(again, sink, TransportSettings{90.0, 3.0, false});
  EXPECT_EQ(plugin.host().transport.beat, 3.0);
}

// The plug-in seeds its step patterns from the clock in seconds when it is
// built, so the three instances are built within the same second.
TEST(Renderer, InternalSyncGivesTheSameAudioWhateverTheBlockSize) {
  const std::vector<std::string> settings = {"Sync=Internal", "Time=16th", "Repeat=1", "Active=4", "Sweep=1.0"};
  std::vector<std::unique_ptr<HostedPlugin>> plugins;
  for (int attempt = 0; attempt < 3 && plugins.empty(); ++attempt) {
    const std::time_t start = std::time(nullptr);
    for (int instance = 0; instance < 3; ++instance)
      plugins.push_back(std::make_unique<HostedPlugin>(LUMIVANE_PLUGIN_PATH));
    if (std::time(nullptr) != start) plugins.clear();
  }
  ASSERT_EQ(plugins.size(), 3u) << "every attempt straddled a change of second";

  std::vector<std::vector<float>> outputs;
  const int blockSizes[] = {1, 128, 4096};
  for (int instance = 0; instance < 3; ++instance) {
    TestSignal signal(kRate, 120.0, 1.5);
    outputs.push_back(renderWith(*plugins[instance], signal, blockSizes[instance], settings).samples);
  }
  ASSERT_EQ(outputs[0].size(), 2u * (66150 + kPluginTail));
  EXPECT_GT(energy(outputs[0], 0), 1.0);
  EXPECT_TRUE(outputs[0] == outputs[1]);
  EXPECT_TRUE(outputs[0] == outputs[2]);
}

// The demo renders 24 s of the built-in signal through the default program.
TEST(Renderer, TheBuiltInSignalThroughTheDefaultProgramPeaksBelowMinusOneDbfs) {
  constexpr float kMinusOneDbfs = 0.891f;
  TestSignal signal(kRate, 120.0, 24.0);
  const MemorySink out = render(signal, 512);
  float peak = 0.0f;
  for (float sample : out.samples) peak = std::max(peak, std::fabs(sample));
  EXPECT_GT(peak, 0.25f);
  EXPECT_LT(peak, kMinusOneDbfs);
}
