#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "engine/PortableMath.h"
#include "engine/StepClock.h"

namespace {
constexpr double kRate = 44100.0;
constexpr std::int32_t kHalfNoteFourSteps = 16 * 4 * 2;

double beatAt(long sample, double tempo = 120.0) { return sample * tempo / 60.0 / kRate; }

// Runs a host-synchronised clock from firstSample to lastSample with a
// synchronisation every 128 samples, as the effect does; answers the beats at
// which boundaries were reported.
std::vector<double> boundaryBeats(StepClock& clock, long firstSample, long lastSample) {
  std::vector<double> beats;
  for (long s = firstSample; s < lastSample; ++s) {
    if ((s - firstSample) % 128 == 0) clock.updateFromTransport(kHalfNoteFourSteps, 120.0, beatAt(s), true);
    if (clock.advance()) beats.push_back(beatAt(s + 1));
  }
  return beats;
}
}  // namespace

TEST(StepClock, StepIndexFollowsTheHostBeatInTwoBeatSteps) {
  StepClock clock;
  for (long s = 0; s < static_cast<long>(18 * kRate / 2); ++s) {
    if (s % 128 == 0) {
      clock.updateFromTransport(kHalfNoteFourSteps, 120.0, beatAt(s), true);
      const int step = static_cast<int>(clock.phase() * 4) % 4;
      const int expected = static_cast<int>(beatAt(s) / 2.0) % 4;
      ASSERT_EQ(step, expected) << "beat " << beatAt(s);
    }
    clock.advance();
  }
}

TEST(StepClock, BoundariesFallEveryEightBeatsOnce) {
  StepClock clock;
  const std::vector<double> beats = boundaryBeats(clock, 0, static_cast<long>(33 * kRate / 2));
  ASSERT_EQ(beats.size(), 4u);
  for (size_t i = 0; i < beats.size(); ++i) EXPECT_NEAR(beats[i], 8.0 * (i + 1), 1e-3);
}

TEST(StepClock, HostLoopResynchronisesWithoutBoundary) {
  StepClock clock;
  const long beat16 = static_cast<long>(16 * kRate / 2);
  EXPECT_EQ(boundaryBeats(clock, 0, beat16 + 64).size(), 2u);
  clock.updateFromTransport(kHalfNoteFourSteps, 120.0, 0.0, true);
  EXPECT_EQ(clock.lastReportedSweep(), 0);
  EXPECT_FALSE(clock.advance()) << "the jump itself reports nothing";
  const std::vector<double> again = boundaryBeats(clock, 1, beat16 + 64);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_NEAR(again[0], 8.0, 1e-3);
  EXPECT_NEAR(again[1], 16.0, 1e-3);
}

TEST(StepClock, StoppedTransportStandsStill) {
  StepClock clock;
  clock.updateFromTransport(kHalfNoteFourSteps, 120.0, 3.0, false);
  const double phase = clock.phase();
  for (int s = 0; s < 100000; ++s) ASSERT_FALSE(clock.advance());
  EXPECT_EQ(clock.sweepPosition(), 3.0 / 8.0);
  EXPECT_EQ(clock.beatPosition(), 3.0);
  EXPECT_EQ(clock.phase(), phase);
}

TEST(StepClock, ChangeOfUnitsRescalesWithoutBoundary) {
  StepClock clock;
  clock.updateFromTransport(kHalfNoteFourSteps, 120.0, 7.0, true);
  clock.advance();
  // Same beat, a sweep of a quarter of the length: position 3.5 sweeps.
  clock.updateFromTransport(kHalfNoteFourSteps / 4, 120.0, clock.beatPosition(), true);
  EXPECT_FALSE(clock.advance());
  EXPECT_NEAR(clock.phase(), 0.5, 1e-3);
}

TEST(StepClock, PhaseWrapsJustBeforeAWholeSweep) {
  StepClock clock;
  clock.updateFromTransport(16, 120.0, 0.9999999, false);
  clock.advance();
  EXPECT_NEAR(clock.phase(), 0.0, 1e-12) << "within 1.2e-7 of a whole number the next sweep has begun";
  clock.updateFromTransport(16, 120.0, 0.75, false);
  clock.advance();
  EXPECT_EQ(clock.phase(), 0.75);
}

TEST(StepClock, HugeOrInvalidHostPositionsNeverOverflow) {
  StepClock clock;
  clock.updateFromTransport(kHalfNoteFourSteps, 120.0, 1.0e12, true);
  clock.advance();
  EXPECT_EQ(clock.lastReportedSweep(), std::numeric_limits<std::int32_t>::max());
  EXPECT_GE(clock.phase(), 0.0);
  EXPECT_LE(clock.phase(), 1.0);
  clock.updateFromTransport(kHalfNoteFourSteps, 120.0, -1.0e12, true);
  clock.advance();
  EXPECT_EQ(clock.lastReportedSweep(), std::numeric_limits<std::int32_t>::min());
  clock.updateFromTransport(kHalfNoteFourSteps, 120.0, 0.0, true);
  EXPECT_EQ(clock.lastReportedSweep(), 0) << "a normal position afterwards resynchronises";
  EXPECT_EQ(boundaryBeats(clock, 0, static_cast<long>(9 * kRate / 2)).size(), 1u);
}

TEST(StepClock, WholePartIsTheRoundedPositionJustBelowIt) {
  // A change of units resynchronises, setting the last sweep to the whole part
  // of the new position: round half to even of position - 0.49999988, saturated.
  auto wholePartOf = [](double position) {
    StepClock clock;
    clock.updateFromTransport(8, 0.0, 0.0, false);
    clock.updateFromTransport(16, 0.0, position, false);  // one sweep per beat
    return clock.lastReportedSweep();
  };
  std::vector<double> positions = {0.0,          0.99999987,   0.9999999,     1.0,    -0.5,   -1.0,
                                   2147483646.9, 2147483647.6, -2147483647.9, 1.0e12, -1.0e12};
  for (int whole = -40; whole <= 40; ++whole)
    for (double offset : {-1.3e-7, -1.2e-7, -1.1e-7, 0.0, 0.25, 0.5, 0.50000012, 0.75})
      positions.push_back(whole + offset);
  for (double tie = -6.5; tie <= 6.5; tie += 1.0) positions.push_back(tie + 0.49999988);
  for (double position : positions)
    EXPECT_EQ(wholePartOf(position), saturatedWholeNumber(roundHalfEven(position - 0.49999988))) << position;
  EXPECT_EQ(wholePartOf(0.9999999), 1);
  EXPECT_EQ(wholePartOf(0.99999987), 0);
}

// The clock skips the whole part of positions below the next boundary; each
// sample must still report a boundary exactly when the rounded position
// passes the last one, alone or in runs, for fast and negative tempos, resting
// transports, positions far out and a crawl across a boundary.
TEST(StepClock, AdvancingReportsEveryBoundaryOfTheRoundedPosition) {
  struct Transport {
    std::int32_t units;
    double tempo;
    double startBeat;
    bool playing;
  };
  const Transport transports[] = {
      {kHalfNoteFourSteps, 120.0, 0.0, true}, {2, 999.0, 0.37, true},      {8, -300.0, 5.0, true},
      {16, 60.0, 7.9999999, false},           {1, 1.0e9, -3.0, true},      {16, 120.0, 2147483640.0, true},
      {16, 120.0, std::nan(""), true},        {16, 0.001, 0.9999998, true}};
  auto bitsOf = [](double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
  };
  for (const Transport& transport : transports) {
    StepClock single, runs;
    for (int run = 0; run < 300; ++run) {
      const double beat = transport.startBeat + run * 128 * transport.tempo / 60.0 / kRate;
      single.updateFromTransport(transport.units, transport.tempo, beat, transport.playing);
      runs.updateFromTransport(transport.units, transport.tempo, beat, transport.playing);
      int boundaries = 0;
      for (int s = 0; s < 128; ++s) {
        const std::int32_t last = single.lastReportedSweep();
        const bool reported = single.advance() != 0;
        const std::int32_t whole = saturatedWholeNumber(roundHalfEven(single.sweepPosition() - 0.49999988));
        ASSERT_EQ(reported, whole > last) << transport.tempo << " run " << run << " sample " << s;
        boundaries += reported;
      }
      ASSERT_EQ(runs.advance(128), boundaries) << transport.tempo << " run " << run;
      ASSERT_EQ(runs.lastReportedSweep(), single.lastReportedSweep());
      ASSERT_EQ(bitsOf(runs.sweepPosition()), bitsOf(single.sweepPosition()));
      ASSERT_EQ(bitsOf(runs.beatPosition()), bitsOf(single.beatPosition()));
      ASSERT_EQ(bitsOf(runs.phase()), bitsOf(single.phase()));
    }
  }
}
