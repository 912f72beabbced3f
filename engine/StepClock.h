#pragma once
// Musical time in sweeps: follows a transport's tempo and beat position and
// reports each whole sweep boundary once.

#include <cstdint>

class StepClock {
public:
  StepClock();

  void setClockSampleRate(float rate);
  // units = (step note value in thirty-seconds) * steps * 2; one sweep lasts
  // units / 16 quarter notes.
  void updateFromTransport(std::int32_t units, double tempo, double beat, bool playing);
  // The clock's running sums, taken out for a stretch of samples and moved on
  // one sample at a time inside another loop: beside the filters' longer
  // recursions their chain of additions costs nothing.
  class Stretch {
  public:
    void tick() {
      ++ticks;
      beat += beatsPerSample;
      position += sweepsPerSample;
      if (position < boundaryBound) return;  // NaN goes on to the exact test
      reachBoundary();
    }

  private:
    friend class StepClock;
    void reachBoundary();

    double beat, position, beatsPerSample, sweepsPerSample, boundaryBound;
    std::int32_t lastSweepIndex;
    int ticks = 0;
    int boundaries = 0;
  };

  Stretch beginStretch() const;
  // Takes the sums back; answers how many of the stretch's samples reached a
  // new whole sweep.
  int endStretch(const Stretch& stretch);
  // Moves `samples` samples on, one at a time; answers how many of them reached
  // a new whole sweep.
  int advance(int samples = 1);
  // The place within the current sweep, 0..1.
  double phase() const;

  float clockSampleRate() const { return sampleRate; }
  double beatPosition() const { return beat; }
  double sweepPosition() const { return position; }
  std::int32_t lastReportedSweep() const { return lastSweepIndex; }

private:
  // The whole part of a sweep position: the nearest integer to x - 0.49999988,
  // saturated to 32 bits so that no beat position a host sends can overflow.
  static std::int32_t wholePart(double x);

  float sampleRate = 44100.0f;
  double minutesPerSample = 0.0;
  double position = 0.0;
  double beat = 0.0;
  double beatsPerSample = 0.0;
  double sweepsPerSample = 0.0;
  std::int32_t lastSweepIndex = -1;
  std::int32_t currentSweepIndex = 0;
  std::int32_t units = 16;
};
