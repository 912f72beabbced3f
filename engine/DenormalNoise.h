#pragma once
// Sixteen values of at most 1e-15 added to every filter input, so that the
// recursive filters never decay into slow denormal numbers.

class DenormalNoise {
public:
  static constexpr int kSize = 16;

  // Filled from the process-wide generator by the first effect that asks.
  static const DenormalNoise& shared();

  float at(int index) const { return values[index]; }

private:
  DenormalNoise();
  float values[kSize];
};
