#include <gtest/gtest.h>

#include <vector>

#include "engine/FilterBank.h"
#include "engine/SwitchableFilter.h"

namespace {
std::vector<SwitchableFilter> filtersIn(const std::vector<VstInt32>& modes) {
  std::vector<SwitchableFilter> filters(4, SwitchableFilter(44100.0f));
  for (int k = 0; k < 4; ++k) {
    filters[k].recomputeCoefficients(modes[k], 300.0f + 1700.0f * k, 0.2f + 0.25f * k);
    for (int s = 0; s < 10; ++s) filters[k].processSample(s % 3 ? 0.3f : -0.6f);  // a state to start from
  }
  return filters;
}

std::vector<float> testInput(int frames) {
  std::vector<float> x(frames);
  for (int n = 0; n < frames; ++n) x[n] = static_cast<float>((n * 53) % 97 - 48) / 60.0f;
  return x;
}

// The plain form: every filter one sample at a time, summed in filter order.
void plainRun(std::vector<SwitchableFilter>& filters, int count, const std::vector<float>& x,
              std::vector<float>& output, float gain, bool replacing) {
  for (size_t j = 0; j < x.size(); ++j) {
    float sum = replacing ? 0.0f : output[j];
    for (int k = 0; k < count; ++k) sum += filters[k].processSample(x[j]) * gain;
    output[j] = sum;
  }
}

void expectSameAsPlain(const std::vector<VstInt32>& modes, int count, bool replacing) {
  std::vector<SwitchableFilter> bank = filtersIn(modes);
  std::vector<SwitchableFilter> plain = filtersIn(modes);
  const std::vector<float> x = testInput(128);
  std::vector<float> bankOut(128, 0.125f), plainOut(128, 0.125f);
  SwitchableFilter* banks[1] = {bank.data()};
  const float* inputs[1] = {x.data()};
  float* outputs[1] = {bankOut.data()};
  FilterBank::processRun(banks, 1, count, inputs, outputs, 128, 0.5773503f, replacing);
  plainRun(plain, count, x, plainOut, 0.5773503f, replacing);
  ASSERT_EQ(bankOut, plainOut) << modes[0] << " x" << count;
  for (int k = 0; k < 4; ++k) ASSERT_EQ(bank[k].processSample(0.7f), plain[k].processSample(0.7f)) << k;
}
}  // namespace

TEST(FilterBank, RunsEveryModeAndCountBitForBitLikeThePlainLoop) {
  for (VstInt32 mode = 0; mode < kModeCount; ++mode)
    for (int count = 1; count <= 4; ++count)
      for (bool replacing : {false, true}) expectSameAsPlain({mode, mode, mode, mode}, count, replacing);
}

TEST(FilterBank, FiltersStillInDifferentModesRunLikeThePlainLoop) {
  expectSameAsPlain({kLowPass12, kLowPass24, kNotch12, kBypass}, 4, false);
  expectSameAsPlain({kHighPass12, kHighPass12, kLowPass24, kLowPass24}, 3, true);
}
