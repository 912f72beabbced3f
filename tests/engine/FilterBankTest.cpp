#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/FilterBank.h"
#include "engine/SwitchableFilter.h"

namespace {
constexpr int kFrames = 128;

// Four filters per channel, each with its own cut-off, resonance and a state
// to start from; the channels differ too.
std::vector<SwitchableFilter> filtersIn(const std::vector<FilterMode>& modes, int channels, float level) {
  std::vector<SwitchableFilter> filters(4 * channels, SwitchableFilter(44100.0f));
  for (int i = 0; i < 4 * channels; ++i) {
    filters[i].recomputeCoefficients(modes[i % 4], 300.0f + 1700.0f * i, 0.2f + 0.1f * i);
    for (int s = 0; s < 10 + i; ++s) filters[i].processSample(level * (s % 3 ? 0.3f : -0.6f));
  }
  return filters;
}

std::vector<float> testInput(int channel, float level) {
  std::vector<float> x(kFrames);
  for (int n = 0; n < kFrames; ++n) x[n] = level * static_cast<float>((n * 53 + channel * 31) % 97 - 48) / 60.0f;
  return x;
}

// A clock fast enough to cross sweep boundaries within the run.
StepClock runningClock() {
  StepClock clock;
  clock.updateFromTransport(1, 600.0, 0.3, true);
  return clock;
}

struct Rendering {
  std::vector<SwitchableFilter> filters;
  std::vector<float> output[2];
  StepClock clock = runningClock();
  int boundaries = 0;
};

Rendering render(FilterKernel kernel, const std::vector<FilterMode>& modes, int channels, int count, bool replacing,
                 float level) {
  Rendering result{filtersIn(modes, channels, level), {}};
  const std::vector<float> x[2] = {testInput(0, level), testInput(1, level)};
  SwitchableFilter* banks[2] = {result.filters.data(), result.filters.data() + 4 * (channels - 1)};
  const float* inputs[2] = {x[0].data(), x[1].data()};
  float* outputs[2];
  for (int c = 0; c < 2; ++c) {
    result.output[c].assign(kFrames, 0.125f * (c + 1));
    outputs[c] = result.output[c].data();
  }
  StepClock::Stretch stretch = result.clock.beginStretch();
  FilterBank::processRun(banks, channels, count, inputs, outputs, kFrames, 0.5773503f, replacing, stretch, kernel);
  result.boundaries = result.clock.endStretch(stretch);
  return result;
}
}  // namespace

// The vector kernels against the plain loop: every output sample and every
// filter's state afterwards, bit for bit, in every mode, filter count, channel
// count and output form, with filters still in different modes, and at a level
// where the ladder's clip leaves out its cubic term. The clock moves on with
// them exactly as far as on its own.
TEST(FilterBank, VectorKernelsRenderBitForBitLikeThePlainLoop) {
  StepClock alone = runningClock();
  const int boundariesAlone = alone.advance(kFrames);
  ASSERT_GT(boundariesAlone, 0);
  std::vector<std::vector<FilterMode>> modeSets;
  for (std::int32_t item = 0; item < kModeCount; ++item) {
    const auto mode = static_cast<FilterMode>(item);
    modeSets.push_back({mode, mode, mode, mode});
  }
  modeSets.push_back({FilterMode::kLowPass12, FilterMode::kLowPass24, FilterMode::kNotch12, FilterMode::kBypass});
  modeSets.push_back(
      {FilterMode::kHighPass12, FilterMode::kHighPass12, FilterMode::kLowPass24, FilterMode::kLowPass24});
  for (const auto& modes : modeSets)
    for (int channels = 1; channels <= 2; ++channels)
      for (int count = 1; count <= 4; ++count)
        for (bool replacing : {false, true})
          for (float level : {1.0f, 1.0e-11f}) {
            const Rendering plain = render(FilterKernel::Plain, modes, channels, count, replacing, level);
            const Rendering vector = render(FilterKernel::Vector, modes, channels, count, replacing, level);
            auto where = ::testing::Message() << "modes";
            for (FilterMode mode : modes) where << ' ' << static_cast<int>(mode);
            where << ", " << channels << " channel(s) x" << count << (replacing ? ", replacing" : ", adding")
                  << ", level " << level;
            for (int c = 0; c < 2; ++c)
              ASSERT_EQ(0, std::memcmp(plain.output[c].data(), vector.output[c].data(), kFrames * sizeof(float)))
                  << where << ", output " << c;
            // The filters hold floats and the mode only, so their bytes are
            // their state.
            for (size_t i = 0; i < plain.filters.size(); ++i)
              ASSERT_EQ(0, std::memcmp(&plain.filters[i], &vector.filters[i], sizeof(SwitchableFilter)))
                  << where << ", filter " << i;
            for (const Rendering* rendering : {&plain, &vector}) {
              ASSERT_EQ(rendering->boundaries, boundariesAlone) << where;
              ASSERT_EQ(rendering->clock.sweepPosition(), alone.sweepPosition()) << where;
              ASSERT_EQ(rendering->clock.beatPosition(), alone.beatPosition()) << where;
            }
          }
}
