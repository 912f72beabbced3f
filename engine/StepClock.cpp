#include "engine/StepClock.h"

#include <cmath>

#include "engine/PortableMath.h"
#include "host/Saturate.h"

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
VstInt32 StepClock::wholePart(double x) {
  const double y = x - 0.49999988;
  if (!(y > -2147483648.0 && y < 2147483647.0)) return saturatingTruncate(roundHalfEven(y));
  VstInt32 below = static_cast<VstInt32>(y);
  if (static_cast<double>(below) > y) --below;
  const double fraction = y - below;
  if (fraction > 0.5 || (fraction == 0.5 && (below & 1) != 0)) ++below;
  return below;
}

void StepClock::updateFromTransport(VstInt32 newUnits, double tempo, double newBeat, bool playing) {
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

bool StepClock::advance() {
  beat += beatsPerSample;
  position += sweepsPerSample;
  currentSweepIndex = wholePart(position);
  if (currentSweepIndex > lastSweepIndex) {
    lastSweepIndex = currentSweepIndex;
    return true;
  }
  return false;
}

double StepClock::phase() const {
  const double d = position - currentSweepIndex;
  return (std::fabs(d) + 1.0 - std::fabs(d - 1.0)) * 0.5;
}
