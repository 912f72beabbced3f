#include "tools/lumivane-host/TestSignal.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
// The levels leave the signal peaking at -9 dBFS: the default program's
// resonant filters raise its peaks by up to about 6 dB, and the demo stays below -1 dBFS.
// An A minor chord in the bass; each voice a little sharp on the left and flat
// on the right, so the two channels beat against each other.
constexpr double kChordHz[3] = {55.0, 82.41, 130.81};
constexpr double kDetune = 0.003;
constexpr double kChordLevel = 0.05;
constexpr double kChordFloor = 0.3;  // the chord never stops, so the filter always has something to cut
constexpr double kChordDecaySeconds = 0.15;
constexpr double kHatLevel = 0.09;
constexpr double kHatDecaySeconds = 0.03;
constexpr double kKickLevel = 0.2;
constexpr double kKickDecaySeconds = 0.2;
constexpr double kKickBaseHz = 45.0;
constexpr double kKickDropHz = 80.0;
constexpr double kKickDropSeconds = 0.04;

// The correction that takes the aliasing step out of a sawtooth's jump.
double polyBlep(double phase, double increment) {
  if (phase < increment) {
    const double t = phase / increment;
    return t + t - t * t - 1.0;
  }
  if (phase > 1.0 - increment) {
    const double t = (phase - 1.0) / increment;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

double TestSignal::Saw::next() {
  const double value = 2.0 * phase - 1.0 - polyBlep(phase, increment);
  phase += increment;
  if (phase >= 1.0) phase -= 1.0;
  return value;
}

TestSignal::TestSignal(int sampleRate, double tempo, double seconds, int channels)
    : channelsPerFrame(channels == 1 ? 1 : 2),
      rate(sampleRate),
      samplesPerBeat(sampleRate * 60.0 / tempo),
      frames(static_cast<std::int64_t>(std::llround(seconds * sampleRate))) {
  for (int voice = 0; voice < 3; ++voice) {
    leftVoices[voice] = Saw{0.0, kChordHz[voice] * (1.0 + kDetune) / sampleRate};
    rightVoices[voice] = Saw{0.5, kChordHz[voice] * (1.0 - kDetune) / sampleRate};
  }
}

std::int64_t TestSignal::read(float* interleaved, std::int64_t wanted) {
  const std::int64_t count = std::min(wanted, frames - position);
  for (std::int64_t i = 0; i < count; ++i) {
    float left = 0.0f;
    float right = 0.0f;
    frameAt(position + i, left, right);
    if (channelsPerFrame == 1) {
      interleaved[i] = 0.5f * (left + right);
    } else {
      interleaved[2 * i] = left;
      interleaved[2 * i + 1] = right;
    }
  }
  position += count;
  return count;
}

float TestSignal::noise() {
  noiseState = noiseState * 1664525u + 1013904223u;
  return static_cast<float>(static_cast<double>(noiseState >> 8) / 8388608.0 - 1.0);
}

void TestSignal::frameAt(std::int64_t frame, float& left, float& right) {
  const double beats = frame / samplesPerBeat;
  const double secondsPerBeat = samplesPerBeat / rate;
  const double sinceBeat = (beats - std::floor(beats)) * secondsPerBeat;
  const double sinceEighth = (beats * 2.0 - std::floor(beats * 2.0)) * secondsPerBeat / 2.0;
  const double sinceSixteenth = (beats * 4.0 - std::floor(beats * 4.0)) * secondsPerBeat / 4.0;
  const bool offbeatSixteenth = static_cast<std::int64_t>(std::floor(beats * 4.0)) % 2 != 0;

  const double chordEnvelope = kChordFloor + (1.0 - kChordFloor) * std::exp(-sinceEighth / kChordDecaySeconds);
  double chordLeft = 0.0;
  double chordRight = 0.0;
  for (int voice = 0; voice < 3; ++voice) {
    chordLeft += leftVoices[voice].next();
    chordRight += rightVoices[voice].next();
  }

  const double hatLevel = kHatLevel * (offbeatSixteenth ? 1.0 : 0.5);
  const double hat = hatLevel * std::exp(-sinceSixteenth / kHatDecaySeconds);
  const double kickPhase =
      2.0 * kPi *
      (kKickBaseHz * sinceBeat + kKickDropHz * kKickDropSeconds * (1.0 - std::exp(-sinceBeat / kKickDropSeconds)));
  const double kick = kKickLevel * std::exp(-sinceBeat / kKickDecaySeconds) * std::sin(kickPhase);

  left = static_cast<float>(kick + kChordLevel * chordEnvelope * chordLeft + hat * noise());
  right = static_cast<float>(kick + kChordLevel * chordEnvelope * chordRight + hat * noise());
}
