#include "engine/StepClock.h"

#include <cmath>

#include "engine/PortableMath.h"

namespace {
// A host position that moved by more than this against the extrapolated one is a jump.
constexpr double kJumpTolerance = 0.001;
}  // namespace

StepClock::StepClock() { setClockSampleRate(44100.0f); }

void StepClock::setClockSampleRate(float rate) {
  sampleRate = rate;
  minutesPerSample = 1.0 / (static_cast<double>(rate) * 60.0);
}

// Runs once per sample, so the usual range avoids library rounding calls; the
// result is the same as rounding half to even and saturating.
std::int32_t StepClock::wholePart(double x) {
  const double y = x - 0.49999988;
  if (!(y > -2147483648.0 && y < 2147483647.0)) return saturatedWholeNumber(roundHalfEven(y));
  std::int32_t below = static_cast<std::int32_t>(y);
  if (static_cast<double>(below) > y) --below;
  const double fraction = y - below;
  if (fraction > 0.5 || (fraction == 0.5 && (below & 1) != 0)) ++below;
  return below;
}

void StepClock::updateFromTransport(std::int32_t newUnits, double tempo, double newBeat, bool playing) {
  const double sweepsPerBeat = 16.0 / newUnits;
  position = sweepsPerBeat * newBeat;
  if (playing) {
    beatsPerSample = tempo * minutesPerSample;
    sweepsPerSample = beatsPerSample * sweepsPerBeat;
  } else {
    beatsPerSample = 0.0;
    sweepsPerSample = 0.0;
  }
  if (std::fabs(beat - newBeat) > kJumpTolerance || newUnits != units) {
    lastSweepIndex = wholePart(position);
    units = newUnits;
  }
  beat = newBeat;
}

int StepClock::advance(int samples) {
  int boundaries = 0;
  // wholePart(x) exceeds the last sweep only once x reaches last + 1 less the
  // 1.2e-7 of its offset; below this bound, with a wide margin for rounding,
  // a sample cannot reach a boundary and its costly whole part is left out.
  double boundaryBound = lastSweepIndex + 0.9999;
  // Locals, so that the two sums stay in registers.
  double runBeat = beat, runPosition = position;
  for (int n = 0; n < samples; ++n) {
    runBeat += beatsPerSample;
    runPosition += sweepsPerSample;
    if (runPosition < boundaryBound) continue;  // NaN goes on to the exact test
    const std::int32_t sweep = wholePart(runPosition);
    if (sweep > lastSweepIndex) {
      lastSweepIndex = sweep;
      boundaryBound = lastSweepIndex + 0.9999;
      ++boundaries;
    }
  }
  beat = runBeat;
  position = runPosition;
  if (samples > 0) currentSweepIndex = wholePart(position);
  return boundaries;
}

double StepClock::phase() const {
  const double d = position - currentSweepIndex;
  return (std::fabs(d) + 1.0 - std::fabs(d - 1.0)) * 0.5;
}
