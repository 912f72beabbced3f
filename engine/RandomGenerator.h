#pragma once
// The effect's own linear congruential generator.

#include <cstdint>

class RandomGenerator {
public:
  explicit RandomGenerator(std::uint32_t initialSeed) : seed(initialSeed) {}

  // 0..32767: bits 16 to 30 of the next state.
  int next();
  // low..high, both included.
  float uniform(float low, float high);
  float symmetric(float amplitude) { return uniform(-amplitude, amplitude); }

  // The process-wide generator, seeded from the calendar time when the library is loaded.
  static RandomGenerator& shared();

private:
  std::uint32_t seed;
};
