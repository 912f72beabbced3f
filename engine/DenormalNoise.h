#pragma once
// Sixteen values of at most 1e-15 added to every filter input, so that the
// recursive filters never decay into slow denormal numbers.

class DenormalNoise {
public:
  static constexpr int kSize = 16;

  // Filled from the process-wide generator by the first effect that asks.
  static const DenormalNoise& shared();

  float at(int index) const { return values[index]; }
  // noisy[j] = value (first + j) mod kSize, plus input[j], for j below frames.
  void addTo(const float* input, float* noisy, int frames, int first) const;

private:
  DenormalNoise();
  // The values twice over, so that kSize of them from any index lie in a row.
  alignas(16) float values[2 * kSize];
};
