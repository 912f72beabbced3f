#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/reliability/PluginUnderTest.h"

namespace {
class AudioShapes : public AudioThreadWatchedTest {};

constexpr float kRates[] = {1000.0f,  8000.0f,  22050.0f,  44100.0f,  48000.0f,
                            88200.5f, 96000.0f, 192000.0f, 384000.0f, 768000.0f};
constexpr float kUnusableRates[] = {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                                    std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};

// Both process entries the record announces.
std::vector<bool> processForms(const RunningPlugin& plugin) {
  return plugin.canReplace() ? std::vector<bool>{false, true} : std::vector<bool>{false};
}

// A fixed cut-off, so the sound does not depend on the random step pattern.
void fixCutOff(RunningPlugin& plugin, double hertz, int mode, int active) {
  plugin.host.setParameter(kFilterMode, normalisedMode(mode));
  plugin.host.setParameter(kMinimumFrequency, normalisedFrequency(hertz));
  plugin.host.setParameter(kMaximumFrequency, normalisedFrequency(hertz));
  plugin.host.setParameter(kActiveFilters, normalisedActiveFilters(active));
}

// Renders `input` in blocks of the given sizes, continuing with the last size.
std::vector<float> renderInBlocks(RunningPlugin& plugin, const StereoBuffers& input, int frames,
                                  const std::vector<int>& sizes, bool replacing) {
  std::vector<float> rendered(2 * static_cast<std::size_t>(frames), 0.0f);
  float* inputs[2];
  float* outputs[2] = {rendered.data(), rendered.data() + frames};
  float* channelIn[2] = {const_cast<float*>(input.input[0].data()), const_cast<float*>(input.input[1].data())};
  std::size_t next = 0;
  for (int done = 0; done < frames;) {
    const int size = std::min(sizes[std::min(next++, sizes.size() - 1)], frames - done);
    for (int ch = 0; ch < 2; ++ch) inputs[ch] = channelIn[ch] + done;
    float* blockOut[2] = {outputs[0] + done, outputs[1] + done};
    plugin.process(inputs, blockOut, size, replacing);
    if (size > 0) done += size;
  }
  return rendered;
}
}  // namespace

TEST_F(AudioShapes, EveryRateChangedBetweenBlocksGivesFiniteBoundedSound) {
  RunningPlugin plugin;
  std::minstd_rand random(10);
  StereoBuffers buffers(1024);
  for (bool replacing : processForms(plugin))
    for (int mode = 0; mode < kModeCount; ++mode) {
      plugin.host.setParameter(kFilterMode, normalisedMode(mode));
      plugin.host.setParameter(kActiveFilters, normalisedActiveFilters(1 + mode % 4));
      for (float rate : kRates) {
        plugin.host.setSampleRate(rate);  // no suspend: hosts do this
        for (int block = 0; block < 4; ++block) {
          buffers.fillInputWithNoise(random, 0.5f);
          buffers.clearOutput();
          plugin.process(buffers, 1024, replacing);
          for (int ch = 0; ch < 2; ++ch) {
            ASSERT_TRUE(allFinite(buffers.outputs[ch], 1024)) << "mode " << mode << ", rate " << rate;
            ASSERT_LT(peakOf(buffers.outputs[ch], 1024), 100.0f) << "mode " << mode << ", rate " << rate;
          }
        }
      }
    }
}

TEST_F(AudioShapes, UnusableRatesAreIgnoredAndTheLastValidRateGoesOn) {
  std::minstd_rand random(11);
  StereoBuffers buffers(512);
  Twins twins = makeTwins();
  RunningPlugin& told = *twins.first;
  RunningPlugin& reference = *twins.second;
  for (RunningPlugin* plugin : {&told, &reference}) {
    plugin->host.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    fixCutOff(*plugin, 700.0, 5, 2);
  }
  std::vector<float> expected(512);
  // Both hand the valid rate over in their first block.
  for (RunningPlugin* plugin : {&told, &reference}) plugin->process(buffers, 512);
  for (int block = 0; block < 30; ++block) {
    const float rate = kUnusableRates[block % std::size(kUnusableRates)];
    if (block % 2 == 0)
      told.host.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    else
      told.host.dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, rate);
    buffers.fillInputWithNoise(random, 0.5f);
    buffers.clearOutput();
    reference.process(buffers, 512);
    expected = buffers.output[0];
    buffers.clearOutput();
    told.process(buffers, 512);
    ASSERT_EQ(buffers.output[0], expected) << "after a rate of " << rate;
  }
}

TEST_F(AudioShapes, AnyBlockSizesGiveTheSameSoundAsFixedBlocks) {
  constexpr int kFrames = 60000;
  std::minstd_rand random(12);
  StereoBuffers source(kFrames);
  source.fillInputWithNoise(random, 0.5f);
  std::vector<int> shapes = {0, -1, 1, 7, 10, 17, 127, 128, 129, 2027, 4097, 16384, -512, 0};
  for (int i = 0; i < 60; ++i) shapes.push_back(std::uniform_int_distribution<int>(-8, 3000)(random));

  RunningPlugin probe;
  for (bool replacing : processForms(probe)) {
    Twins twins = makeTwins();
    RunningPlugin& shaped = *twins.first;
    RunningPlugin& fixed = *twins.second;
    fixCutOff(shaped, 1500.0, 3, 4);
    fixCutOff(fixed, 1500.0, 3, 4);
    const std::vector<float> expected = renderInBlocks(fixed, source, kFrames, {512}, replacing);
    const std::vector<float> actual = renderInBlocks(shaped, source, kFrames, shapes, replacing);
    ASSERT_EQ(actual, expected) << (replacing ? "replacing" : "adding");
    ASSERT_TRUE(allFinite(actual.data(), 2 * kFrames));
  }
}

TEST_F(AudioShapes, EmptyAndNegativeBlocksTouchNothing) {
  RunningPlugin plugin;
  StereoBuffers buffers(64);
  buffers.fillOutput(0.25f);
  for (bool replacing : processForms(plugin))
    for (VstInt32 frames : {0, -1, -64, std::numeric_limits<VstInt32>::min()}) {
      plugin.process(buffers, frames, replacing);
      for (int ch = 0; ch < 2; ++ch)
        for (float sample : buffers.output[ch]) ASSERT_EQ(sample, 0.25f) << frames;
    }
}

TEST_F(AudioShapes, MissingRandomBackwardAndStillTimeKeepsTheSoundFinite) {
  RunningPlugin plugin;
  plugin.host.setParameter(kMinimumFrequency, 0.0f);
  plugin.host.setParameter(kMaximumFrequency, 1.0f);
  plugin.host.setParameter(kSweepSpeed, 1.0f);
  plugin.host.setParameter(kTimeDivision, 0.0f);
  plugin.host.setParameter(kRepeatCount, 0.0f);
  std::minstd_rand random(13);
  StereoBuffers buffers(700);
  const double hostileTimes[] = {0.0,
                                 -1.0,
                                 1e12,
                                 -1e12,
                                 1e300,
                                 std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(),
                                 4.5e15,
                                 2147483648.0};
  std::uniform_real_distribution<double> beat(-1000.0, 100000.0), tempo(0.0, 999.0);
  for (int block = 0; block < 400; ++block) {
    Transport& transport = plugin.host.transport;
    transport.available = block % 7 != 3;
    transport.playing = block % 5 != 0;
    switch (block % 4) {
      case 0:  // randomised every block
        transport.beat = beat(random);
        transport.tempo = tempo(random);
        break;
      case 1:  // a host loop jumping back
        transport.beat = std::max(0.0, transport.beat - 16.0);
        break;
      case 2:  // a tempo of 0
        transport.tempo = 0.0;
        break;
      default:  // values no host should send
        transport.beat = hostileTimes[block % std::size(hostileTimes)];
        transport.tempo = hostileTimes[(block / 4) % std::size(hostileTimes)];
        break;
    }
    plugin.host.setParameter(kSyncMode, block % 50 < 40 ? 0.0f : 1.0f);
    buffers.fillInputWithNoise(random, 0.5f);
    buffers.clearOutput();
    plugin.process(buffers, 700);
    for (int ch = 0; ch < 2; ++ch) {
      ASSERT_TRUE(allFinite(buffers.outputs[ch], 700)) << "block " << block;
      ASSERT_LT(peakOf(buffers.outputs[ch], 700), 100.0f) << "block " << block;
    }
  }
}

TEST_F(AudioShapes, MissingArraysChannelsAndUnconnectedPinsLeaveThoseOutputsAlone) {
  std::minstd_rand random(14);
  struct Case {
    const char* what;
    bool inputArray, outputArray;
    bool inputChannel[2], outputChannel[2];
    bool pinsConnected[2][2];  // [output][pin]
  };
  const Case cases[] = {
      {"no input array", false, true, {true, true}, {true, true}, {{true, true}, {true, true}}},
      {"no output array", true, false, {true, true}, {true, true}, {{true, true}, {true, true}}},
      {"no left input", true, true, {false, true}, {true, true}, {{true, true}, {true, true}}},
      {"no right output", true, true, {true, true}, {true, false}, {{true, true}, {true, true}}},
      {"no channels at all", true, true, {false, false}, {false, false}, {{true, true}, {true, true}}},
      {"right input unconnected", true, true, {true, true}, {true, true}, {{true, false}, {true, true}}},
      {"left output unconnected", true, true, {true, true}, {true, true}, {{true, true}, {false, true}}},
  };
  for (const Case& c : cases) {
    RunningPlugin plugin;
    for (int output = 0; output < 2; ++output)
      for (int pin = 0; pin < 2; ++pin) plugin.host.setPinConnected(output == 1, pin, c.pinsConnected[output][pin]);
    for (bool replacing : processForms(plugin)) {
      StereoBuffers buffers(256);
      for (int block = 0; block < 3; ++block) {
        buffers.fillInputWithNoise(random, 0.5f);
        buffers.fillOutput(0.25f);
        float* inputs[2] = {c.inputChannel[0] ? buffers.inputs[0] : nullptr,
                            c.inputChannel[1] ? buffers.inputs[1] : nullptr};
        float* outputs[2] = {c.outputChannel[0] ? buffers.outputs[0] : nullptr,
                             c.outputChannel[1] ? buffers.outputs[1] : nullptr};
        plugin.process(c.inputArray ? inputs : nullptr, c.outputArray ? outputs : nullptr, 256, replacing);
        for (int ch = 0; ch < 2; ++ch) {
          const bool active = c.inputArray && c.outputArray && c.inputChannel[ch] && c.outputChannel[ch] &&
                              c.pinsConnected[0][ch] && c.pinsConnected[1][ch];
          const bool outputExists = c.outputArray && c.outputChannel[ch];
          // Replacing gives an existing output of an inactive channel silence.
          const float untouched = replacing && outputExists ? 0.0f : 0.25f;
          const bool left = std::all_of(buffers.output[ch].begin(), buffers.output[ch].end(),
                                        [&](float sample) { return sample == untouched; });
          ASSERT_TRUE(allFinite(buffers.outputs[ch], 256)) << c.what;
          EXPECT_EQ(left, !active) << c.what << ", channel " << ch << (replacing ? ", replacing" : ", adding");
        }
      }
    }
  }
}

TEST_F(AudioShapes, InputAndOutputInTheSameBuffersSoundAsSeparateBuffers) {
  std::minstd_rand random(15);
  for (int active = 1; active <= 4; ++active) {
    RunningPlugin probe;
    for (bool replacing : processForms(probe)) {
      Twins twins = makeTwins();
      RunningPlugin& inPlace = *twins.first;
      RunningPlugin& separate = *twins.second;
      fixCutOff(inPlace, 900.0, 1 + active, active);
      fixCutOff(separate, 900.0, 1 + active, active);
      StereoBuffers shared(512), apart(512);
      for (int block = 0; block < 8; ++block) {
        shared.fillInputWithNoise(random, 0.5f);
        // The host's buffers hold the input; adding puts the effect on top of it.
        for (int ch = 0; ch < 2; ++ch) {
          std::copy(shared.input[ch].begin(), shared.input[ch].end(), apart.input[ch].begin());
          std::copy(shared.input[ch].begin(), shared.input[ch].end(), apart.output[ch].begin());
        }
        float* both[2] = {shared.inputs[0], shared.inputs[1]};
        inPlace.process(both, both, 512, replacing);
        separate.process(apart, 512, replacing);
        ASSERT_EQ(shared.input[0], apart.output[0]) << active << " filters, block " << block;
        ASSERT_EQ(shared.input[1], apart.output[1]) << active << " filters, block " << block;
      }
    }
  }
}
