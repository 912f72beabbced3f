#include <gtest/gtest.h>

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
  bypass.recomputeCoefficients(kBypass, 1000.0f, 0.5f);
  lowPass.recomputeCoefficients(kLowPass12, 1000.0f, 0.5f);
  for (int s = 0; s < 200; ++s) {
    const float x = std::sin(0.05f * s);
    EXPECT_EQ(bypass.processSample(x), x);
    lowPass.processSample(x);
  }
  EXPECT_EQ(bypass.stateVariableFilter().lowOutput(), lowPass.stateVariableFilter().lowOutput());
  bypass.recomputeCoefficients(kLowPass12, 1000.0f, 0.5f);
  EXPECT_EQ(bypass.processSample(0.25f), lowPass.processSample(0.25f)) << "no reset on a mode change";
}

TEST(SwitchableFilter, ModesTakeTheirOutputsFromTheRightMemberFilter) {
  const VstInt32 modes[] = {kLowPass12, kHighPass12, kBandPass12, kNotch12};
  for (VstInt32 mode : modes) {
    SwitchableFilter unit(44100.0f);
    StateVariableFilter reference(44100.0f);
    unit.recomputeCoefficients(mode, 2000.0f, 0.3f);
    reference.recomputeCoefficients(2000.0f, 0.3f);
    for (int s = 0; s < 64; ++s) {
      const float x = s % 7 == 0 ? 1.0f : -0.1f;
      const float y = unit.processSample(x);
      reference.processSample(x);
      const float expected = mode == kLowPass12    ? reference.lowOutput()
                             : mode == kHighPass12 ? reference.highOutput()
                             : mode == kBandPass12 ? reference.bandOutput()
                                                   : reference.notchOutput();
      ASSERT_EQ(y, expected) << mode << " " << s;
    }
  }
  SwitchableFilter unit(44100.0f);
  LadderFilter reference(44100.0f);
  unit.recomputeCoefficients(kLowPass24, 2000.0f, 0.3f);
  reference.recomputeCoefficients(2000.0f, 0.3f);
  for (int s = 0; s < 64; ++s) ASSERT_EQ(unit.processSample(0.5f), reference.processSample(0.5f));
}

TEST(SwitchableFilter, LowSampleRateKeepsTheTopOfTheRangeStable) {
  SwitchableFilter unit(8000.0f);
  unit.recomputeCoefficients(kLowPass24, 10000.0f, 1.0f);
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
  limited.recomputeCoefficients(kLowPass24, 10000.0f, 0.7f);
  plain.recomputeCoefficients(10000.0f, 0.7f);
  plainStateVariable.recomputeCoefficients(10000.0f, 0.7f);
  EXPECT_EQ(limited.ladderFilter().poleCoefficient(), plain.poleCoefficient());
  EXPECT_EQ(limited.ladderFilter().feedbackGain(), plain.feedbackGain());
  EXPECT_EQ(limited.stateVariableFilter().frequencyCoefficient(), plainStateVariable.frequencyCoefficient());
}

TEST(SwitchableFilter, NonFiniteStateIsClearedAndFilteringResumes) {
  SwitchableFilter unit(44100.0f);
  unit.recomputeCoefficients(kLowPass12, 1000.0f, 0.5f);
  unit.processSample(std::numeric_limits<float>::quiet_NaN());
  EXPECT_TRUE(std::isnan(unit.processSample(0.5f)));
  unit.clearStateIfNotFinite();
  SwitchableFilter fresh(44100.0f);
  fresh.recomputeCoefficients(kLowPass12, 1000.0f, 0.5f);
  for (int s = 0; s < 32; ++s) ASSERT_EQ(unit.processSample(0.5f), fresh.processSample(0.5f));
}

TEST(SwitchableFilter, DivergedLadderIsClearedButAFiniteOneIsKept) {
  SwitchableFilter unit(44100.0f);
  unit.recomputeCoefficients(kLowPass24, 3000.0f, 1.0f);
  float y = 0.0f;
  for (int s = 0; s < 64 && std::isfinite(y); ++s) y = unit.processSample(s % 2 ? 1.0e6f : -1.0e6f);
  ASSERT_FALSE(std::isfinite(y)) << "a loud input drives the ladder into divergence";
  unit.clearStateIfNotFinite();
  EXPECT_TRUE(unit.ladderFilter().stateIsFinite());
  EXPECT_EQ(unit.processSample(0.0f), 0.0f);

  SwitchableFilter healthy(44100.0f);
  healthy.recomputeCoefficients(kLowPass24, 3000.0f, 0.5f);
  for (int s = 0; s < 10; ++s) healthy.processSample(0.5f);
  SwitchableFilter twin = healthy;
  healthy.clearStateIfNotFinite();
  EXPECT_EQ(healthy.processSample(0.1f), twin.processSample(0.1f));
}
