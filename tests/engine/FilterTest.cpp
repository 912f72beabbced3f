#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/LadderFilter.h"
#include "engine/StateVariableFilter.h"
#include "engine/SwitchableFilter.h"

TEST(StateVariableFilter, CoefficientsMatchTheWorkedValues) {
  StateVariableFilter filter(44100.0f);
  filter.recomputeCoefficients(1000.0f, 0.5f);
  EXPECT_NEAR(filter.frequencyCoefficient(), 0.0712229, 1e-7);
  EXPECT_NEAR(filter.damping(), 0.318207, 1e-6);
  filter.recomputeCoefficients(10000.0f, 0.5f);
  EXPECT_NEAR(filter.frequencyCoefficient(), 0.697411, 1e-6);
  EXPECT_NEAR(filter.damping(), 0.318207, 1e-6);
}

TEST(StateVariableFilter, ResonanceSetsDampingWithinTheStableLimit) {
  StateVariableFilter filter(44100.0f);
  for (float cutoff : {20.0f, 440.0f, 5000.0f, 10000.0f}) {
    filter.recomputeCoefficients(cutoff, 1.0f);
    EXPECT_EQ(filter.damping(), 0.0f) << cutoff;
    filter.recomputeCoefficients(cutoff, 0.0f);
    EXPECT_EQ(filter.damping(), 2.0f) << cutoff;
  }
}

TEST(LadderFilter, CoefficientsMatchTheWorkedValues) {
  LadderFilter filter(44100.0f);
  filter.recomputeCoefficients(1000.0f, 0.5f);
  EXPECT_NEAR(filter.poleCoefficient(), -0.840025, 1e-6);
  EXPECT_NEAR(filter.inputGain(), 0.0799873, 1e-7);
  EXPECT_NEAR(filter.resonanceScale(), 3.58001, 1e-5);
  EXPECT_NEAR(filter.feedbackGain(), 1.79001, 1e-5);
  filter.recomputeCoefficients(10000.0f, 0.5f);
  EXPECT_NEAR(filter.poleCoefficient(), 0.303572, 1e-6);
  EXPECT_NEAR(filter.inputGain(), 0.651786, 1e-6);
  EXPECT_NEAR(filter.resonanceScale(), 1.62046, 1e-5);
  EXPECT_NEAR(filter.feedbackGain(), 0.648185, 1e-6) << "resonance held to 4000 / 10000";
  filter.recomputeCoefficients(8000.0f, 0.5f);
  EXPECT_NEAR(filter.feedbackGain() / filter.resonanceScale(), 0.5, 1e-6);
}

TEST(SwitchableFilter, BypassPassesTheInputWhileTheStateKeepsRunning) {
  SwitchableFilter bypass(44100.0f);
  SwitchableFilter lowPass(44100.0f);
  bypass.recomputeCoefficients(FilterMode::kBypass, 1000.0f, 0.5f);
  lowPass.recomputeCoefficients(FilterMode::kLowPass12, 1000.0f, 0.5f);
  for (int s = 0; s < 200; ++s) {
    const float x = std::sin(0.05f * s);
    EXPECT_EQ(bypass.processSample(x), x);
    lowPass.processSample(x);
  }
  EXPECT_EQ(bypass.stateVariableFilter().lowOutput(), lowPass.stateVariableFilter().lowOutput());
  bypass.recomputeCoefficients(FilterMode::kLowPass12, 1000.0f, 0.5f);
  EXPECT_EQ(bypass.processSample(0.25f), lowPass.processSample(0.25f)) << "no reset on a mode change";
}

// Each mode's response to steady sines three octaves below, at and three
// octaves above a 1 kHz cut-off, without resonance: -6 dB at the cut-off, a
// 12 dB per octave slope for the state-variable modes and 24 for the ladder.
TEST(SwitchableFilter, EachModeShapesTheSpectrumAroundItsCutoff) {
  constexpr float kRate = 44100.0f;
  constexpr float kCutoff = 1000.0f;
  constexpr float kPass = 0.9f, kFlat = 1.1f;
  // Three octaves at 12 dB each are 1/64, allowed a factor of two either way;
  // at 24 dB they are 1/4096, allowed a factor of four.
  constexpr float kLeast12dB = 1.0f / 128, kMost12dB = 1.0f / 32, kMost24dB = 1.0f / 1024;
  const struct {
    FilterMode mode;
    float ratio;  // of the sine's frequency to the cut-off
    float least, most;
  } cases[] = {
      {FilterMode::kLowPass12, 0.125f, kPass, kFlat},
      {FilterMode::kLowPass12, 1.0f, 0.4f, 0.6f},
      {FilterMode::kLowPass12, 8.0f, kLeast12dB, kMost12dB},
      {FilterMode::kHighPass12, 0.125f, kLeast12dB, kMost12dB},
      {FilterMode::kHighPass12, 1.0f, 0.4f, 0.6f},
      {FilterMode::kHighPass12, 8.0f, kPass, kFlat},
      {FilterMode::kBandPass12, 0.125f, 0.05f, 0.2f},
      {FilterMode::kBandPass12, 1.0f, 0.4f, 0.6f},
      {FilterMode::kBandPass12, 8.0f, 0.05f, 0.2f},
      {FilterMode::kNotch12, 0.125f, kPass, kFlat},
      {FilterMode::kNotch12, 1.0f, 0.0f, 0.05f},
      {FilterMode::kNotch12, 8.0f, kPass, kFlat},
      {FilterMode::kLowPass24, 0.125f, kPass, kFlat},
      {FilterMode::kLowPass24, 1.0f, 0.25f, 0.5f},
      {FilterMode::kLowPass24, 8.0f, 0.0f, kMost24dB},
  };
  for (const auto& c : cases) {
    SwitchableFilter unit(kRate);
    unit.recomputeCoefficients(c.mode, kCutoff, 0.0f);
    // The peak over the second half second, once the filter has settled, at
    // a level the ladder's soft clip leaves alone.
    constexpr float kLevel = 0.1f;
    float peak = 0.0f;
    const double step = 2.0 * 3.141592653589793 * kCutoff * c.ratio / kRate;
    for (int s = 0; s < static_cast<int>(kRate); ++s) {
      const float y = unit.processSample(kLevel * static_cast<float>(std::sin(step * s)));
      if (s >= kRate / 2) peak = std::max(peak, std::fabs(y));
    }
    EXPECT_GE(peak / kLevel, c.least) << static_cast<int>(c.mode) << " at " << c.ratio;
    EXPECT_LE(peak / kLevel, c.most) << static_cast<int>(c.mode) << " at " << c.ratio;
  }
}

TEST(SwitchableFilter, LowSampleRateKeepsTheTopOfTheRangeStable) {
  SwitchableFilter unit(8000.0f);
  unit.recomputeCoefficients(FilterMode::kLowPass24, 10000.0f, 1.0f);
  EXPECT_GT(unit.ladderFilter().poleCoefficient(), -1.0f);
  EXPECT_LT(unit.ladderFilter().poleCoefficient(), 1.0f);
  float peak = 0.0f;
  for (int s = 0; s < 8000; ++s) peak = std::max(peak, std::fabs(unit.processSample(s % 40 < 20 ? 0.5f : -0.5f)));
  EXPECT_TRUE(std::isfinite(peak));
  EXPECT_LT(peak, 4.0f);
}

TEST(SwitchableFilter, CutoffLimitLeavesNormalRatesUnchanged) {
  SwitchableFilter limited(44100.0f);
  LadderFilter plain(44100.0f);
  StateVariableFilter plainStateVariable(44100.0f);
  limited.recomputeCoefficients(FilterMode::kLowPass24, 10000.0f, 0.7f);
  plain.recomputeCoefficients(10000.0f, 0.7f);
  EXPECT_EQ(limited.ladderFilter().poleCoefficient(), plain.poleCoefficient());
  EXPECT_EQ(limited.ladderFilter().feedbackGain(), plain.feedbackGain());
  limited.recomputeCoefficients(FilterMode::kLowPass12, 10000.0f, 0.7f);
  plainStateVariable.recomputeCoefficients(10000.0f, 0.7f);
  EXPECT_EQ(limited.stateVariableFilter().frequencyCoefficient(), plainStateVariable.frequencyCoefficient());
}

// Each mode sets up only the filter it runs: a change of mode must bring the
// other filter's set-up with it, whatever it last had.
TEST(SwitchableFilter, ChangingModeSetsUpTheFilterItRuns) {
  for (FilterMode before : {FilterMode::kLowPass12, FilterMode::kLowPass24})
    for (FilterMode after : {FilterMode::kNotch12, FilterMode::kLowPass24}) {
      SwitchableFilter switched(44100.0f), fresh(44100.0f);
      switched.recomputeCoefficients(before, 300.0f, 0.2f);
      switched.recomputeCoefficients(after, 2500.0f, 0.8f);
      fresh.recomputeCoefficients(after, 2500.0f, 0.8f);
      for (int s = 0; s < 64; ++s) {
        const float x = s % 7 < 3 ? 0.5f : -0.25f;
        ASSERT_EQ(switched.processSample(x), fresh.processSample(x))
            << static_cast<int>(before) << " to " << static_cast<int>(after) << ", sample " << s;
      }
    }
}

TEST(SwitchableFilter, NonFiniteStateIsClearedAndFilteringResumes) {
  SwitchableFilter unit(44100.0f);
  unit.recomputeCoefficients(FilterMode::kLowPass12, 1000.0f, 0.5f);
  unit.processSample(std::numeric_limits<float>::quiet_NaN());
  EXPECT_TRUE(std::isnan(unit.processSample(0.5f)));
  unit.clearStateIfNotFinite();
  SwitchableFilter fresh(44100.0f);
  fresh.recomputeCoefficients(FilterMode::kLowPass12, 1000.0f, 0.5f);
  for (int s = 0; s < 32; ++s) ASSERT_EQ(unit.processSample(0.5f), fresh.processSample(0.5f));
}

TEST(SwitchableFilter, DivergedLadderIsClearedButAFiniteOneIsKept) {
  SwitchableFilter unit(44100.0f);
  unit.recomputeCoefficients(FilterMode::kLowPass24, 3000.0f, 1.0f);
  float y = 0.0f;
  for (int s = 0; s < 64 && std::isfinite(y); ++s) y = unit.processSample(s % 2 ? 1.0e6f : -1.0e6f);
  ASSERT_FALSE(std::isfinite(y)) << "a loud input drives the ladder into divergence";
  unit.clearStateIfNotFinite();
  EXPECT_TRUE(unit.ladderFilter().stateIsFinite());
  EXPECT_EQ(unit.processSample(0.0f), 0.0f);

  SwitchableFilter healthy(44100.0f);
  healthy.recomputeCoefficients(FilterMode::kLowPass24, 3000.0f, 0.5f);
  for (int s = 0; s < 10; ++s) healthy.processSample(0.5f);
  SwitchableFilter twin = healthy;
  healthy.clearStateIfNotFinite();
  EXPECT_EQ(healthy.processSample(0.1f), twin.processSample(0.1f));
}
