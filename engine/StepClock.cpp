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

// wholePart(x) exceeds the last sweep only once x reaches last + 1 less the
// 1.2e-7 of its offset; below this bound, with a wide margin for rounding, a
// sample cannot reach a boundary and its costly whole part is left out.
static double boundaryBoundAfter(std::int32_t sweep) { return sweep + 0.9999; }

StepClock::Stretch StepClock::beginStretch() const {
  Stretch stretch;
  stretch.beat = beat;
  stretch.position = position;
  stretch.beatsPerSample = beatsPerSample;
  stretch.sweepsPerSample = sweepsPerSample;
  stretch.lastSweepIndex = lastSweepIndex;
  stretch.boundaryBound = boundaryBoundAfter(lastSweepIndex);
  return stretch;
}

void StepClock::Stretch::reachBoundary() {
  const std::int32_t sweep = wholePart(position);
  if (sweep <= lastSweepIndex) return;
  lastSweepIndex = sweep;
  boundaryBound = boundaryBoundAfter(sweep);
  ++boundaries;
}

int StepClock::endStretch(const Stretch& stretch) {
  beat = stretch.beat;
  position = stretch.position;
  lastSweepIndex = stretch.lastSweepIndex;
  if (stretch.ticks > 0) currentSweepIndex = wholePart(position);
  return stretch.boundaries;
}

int StepClock::advance(int samples) {
  Stretch stretch = beginStretch();
  for (int n = 0; n < samples; ++n) stretch.tick();
  return endStretch(stretch);
}

double StepClock::phase() const {
  const double d = position - currentSweepIndex;
  return (std::fabs(d) + 1.0 - std::fabs(d - 1.0)) * 0.5;
}
