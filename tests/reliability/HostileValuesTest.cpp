#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "tests/reliability/PluginUnderTest.h"

namespace {
class HostileValues : public AudioThreadWatchedTest {};

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kDenormal = 1e-40f;
constexpr int kBlock = 256;
// Output must be finite again this many samples after the last bad input.
constexpr int kRecovery = 128;

const float kHostileParameterValues[] = {kNaN,      kInfinity,  -kInfinity, -1.0f,   2.0f,     1e30f, -1e30f,
                                         kDenormal, -kDenormal, FLT_MIN,    FLT_MAX, -FLT_MAX, 0.0f,  1.0f};
const float kBadSamples[] = {kNaN, kInfinity, -kInfinity, 1e30f, -1e30f, FLT_MAX};

// Every sample at or after `from` (an index into the whole render) is finite.
::testing::AssertionResult finiteFrom(const StereoBuffers& buffers, int frames, int blockStart, int from) {
  for (int ch = 0; ch < 2; ++ch)
    for (int s = std::max(0, from - blockStart); s < frames; ++s)
      if (!std::isfinite(buffers.output[ch][s]))
        return ::testing::AssertionFailure() << "sample " << blockStart + s << " of channel " << ch << " is "
                                             << buffers.output[ch][s] << ", finite expected from " << from;
  return ::testing::AssertionSuccess();
}

// Four filters sweeping the whole cut-off range as fast as they can.
void setEverything(RunningPlugin& plugin, int mode, float resonance) {
  plugin.host.setParameter(kFilterMode, normalisedMode(mode));
  plugin.host.setParameter(kResonance, resonance);
  plugin.host.setParameter(kActiveFilters, 1.0f);
  plugin.host.setParameter(kMinimumFrequency, 0.0f);
  plugin.host.setParameter(kMaximumFrequency, 1.0f);
  plugin.host.setParameter(kSweepSpeed, 1.0f);
}
}  // namespace

TEST_F(HostileValues, EveryParameterTakesHostileValuesWhileProcessing) {
  RunningPlugin plugin;
  std::minstd_rand random(20);
  StereoBuffers buffers(kBlock);
  char display[64];
  for (VstInt32 index = 0; index < kParameterCount; ++index)
    for (float value : kHostileParameterValues) {
      plugin.host.setParameter(index, value);
      std::memset(display, 0x5A, sizeof display);
      plugin.host.dispatch(effGetParamDisplay, index, 0, display);
      EXPECT_NE(std::memchr(display, 0, 24), nullptr) << "display of " << index << " after " << value;
      for (std::size_t i = 24; i < sizeof display; ++i) ASSERT_EQ(display[i], 0x5A) << index << " after " << value;
      for (int block = 0; block < 3; ++block) {
        buffers.fillInputWithNoise(random, 0.5f);
        buffers.clearOutput();
        plugin.process(buffers, kBlock, plugin.canReplace() && block == 1);
        for (int ch = 0; ch < 2; ++ch)
          ASSERT_TRUE(allFinite(buffers.outputs[ch], kBlock)) << "parameter " << index << " set to " << value;
      }
    }
  // A NaN is refused; everything else is stored as the host wrote it.
  plugin.host.setParameter(kResonance, 0.25f);
  plugin.host.setParameter(kResonance, kNaN);
  EXPECT_EQ(plugin.host.getParameter(kResonance), 0.25f);
  // Parameters out of range from the host change nothing and read 0.
  for (VstInt32 index : {-1, 11, 1000, std::numeric_limits<VstInt32>::min(), std::numeric_limits<VstInt32>::max()}) {
    plugin.host.setParameter(index, 0.5f);
    EXPECT_EQ(plugin.host.getParameter(index), 0.0f) << index;
  }
}

TEST_F(HostileValues, BadInputSamplesAreForgottenWithinAControlInterval) {
  std::minstd_rand random(21);
  StereoBuffers buffers(kBlock);
  for (int mode = 0; mode < kModeCount; ++mode)
    for (float bad : kBadSamples) {
      RunningPlugin plugin;
      setEverything(plugin, mode, 1.0f);
      int lastBad = -1;
      for (int block = 0; block < 8; ++block) {
        const int blockStart = block * kBlock;
        buffers.fillInputWithNoise(random, 0.25f);
        if (block < 2)
          for (int hit = 0; hit < 3; ++hit) {
            const int s = std::uniform_int_distribution<int>(0, kBlock - 1)(random);
            buffers.input[hit % 2][s] = bad;
            lastBad = std::max(lastBad, blockStart + s);
          }
        buffers.clearOutput();
        plugin.process(buffers, kBlock, plugin.canReplace() && block % 2 == 1);
        ASSERT_TRUE(finiteFrom(buffers, kBlock, blockStart, lastBad + kRecovery))
            << "mode " << mode << ", bad sample " << bad;
      }
    }
}

TEST_F(HostileValues, DenormalInputKeepsTheSoundFinite) {
  std::minstd_rand random(22);
  StereoBuffers buffers(kBlock);
  for (int mode = 0; mode < kModeCount; ++mode) {
    RunningPlugin plugin;
    setEverything(plugin, mode, 1.0f);
    for (int block = 0; block < 20; ++block) {
      std::uniform_real_distribution<float> tiny(-FLT_MIN, FLT_MIN);
      for (auto& channel : buffers.input)
        for (float& sample : channel) sample = tiny(random);
      buffers.clearOutput();
      plugin.process(buffers, kBlock);
      // At full resonance the ladder may ring up from almost nothing; it must stay a number.
      for (int ch = 0; ch < 2; ++ch) {
        ASSERT_TRUE(allFinite(buffers.outputs[ch], kBlock)) << "mode " << mode;
        ASSERT_LT(peakOf(buffers.outputs[ch], kBlock), 10.0f) << "mode " << mode;
      }
    }
  }
}

TEST_F(HostileValues, FullScaleSquareWavesAtMaximumResonanceRecover) {
  constexpr int kSquareBlocks = 170;  // about a second at 44.1 kHz
  StereoBuffers buffers(kBlock);
  std::minstd_rand random(23);
  for (int mode = 0; mode < kModeCount; ++mode) {
    RunningPlugin plugin;
    setEverything(plugin, mode, 1.0f);
    int phase = 0;
    const int squareEnd = kSquareBlocks * kBlock;
    for (int block = 0; block < kSquareBlocks + 4; ++block) {
      const int blockStart = block * kBlock;
      if (block < kSquareBlocks) {
        for (int s = 0; s < kBlock; ++s, ++phase) {
          const float level = (phase / 220) % 2 == 0 ? 1.0f : -1.0f;  // about 100 Hz
          buffers.input[0][s] = level;
          buffers.input[1][s] = -level;
        }
      } else {
        buffers.fillInputWithNoise(random, 0.25f);
      }
      buffers.clearOutput();
      plugin.process(buffers, kBlock);
      ASSERT_TRUE(finiteFrom(buffers, kBlock, blockStart, squareEnd + kRecovery)) << "mode " << mode;
    }
  }
}

// At 8 kHz the top of the cut-off range lies far above half the sample rate;
// at 384 kHz the bottom is a tiny fraction of it.
TEST_F(HostileValues, ExtremeCutOffsAtExtremeRatesStayStable) {
  std::minstd_rand random(24);
  StereoBuffers buffers(1024);
  for (float rate : {8000.0f, 384000.0f})
    for (double cutOff : {20.0, 10000.0})
      for (int mode = 1; mode < kModeCount; ++mode)
        for (float resonance : {0.0f, 0.5f, 0.9f}) {
          RunningPlugin plugin;
          plugin.host.setSampleRate(rate);
          plugin.host.setParameter(kFilterMode, normalisedMode(mode));
          plugin.host.setParameter(kMinimumFrequency, normalisedFrequency(cutOff));
          plugin.host.setParameter(kMaximumFrequency, normalisedFrequency(cutOff));
          plugin.host.setParameter(kResonance, resonance);
          float firstHalfPeak = 0.0f, secondHalfPeak = 0.0f;
          constexpr int kBlocks = 64;
          for (int block = 0; block < kBlocks; ++block) {
            buffers.fillInputWithNoise(random, 0.5f);
            buffers.clearOutput();
            plugin.process(buffers, 1024);
            const float peak = std::fmax(peakOf(buffers.outputs[0], 1024), peakOf(buffers.outputs[1], 1024));
            ASSERT_TRUE(std::isfinite(peak)) << rate << " Hz, cut-off " << cutOff << ", mode " << mode;
            float& halfPeak = block < kBlocks / 2 ? firstHalfPeak : secondHalfPeak;
            halfPeak = std::fmax(halfPeak, peak);
          }
          EXPECT_LT(secondHalfPeak, 50.0f)
              << rate << " Hz, cut-off " << cutOff << ", mode " << mode << ", resonance " << resonance;
          EXPECT_LE(secondHalfPeak, 2.0f * firstHalfPeak + 1.0f)
              << rate << " Hz, cut-off " << cutOff << ", mode " << mode << ", resonance " << resonance;
        }
}
