#include "engine/DenormalNoise.h"

#include <emmintrin.h>

#include "engine/RandomGenerator.h"

DenormalNoise::DenormalNoise() {
  RandomGenerator& generator = RandomGenerator::shared();
  for (int j = 0; j < kSize; ++j) values[j] = generator.symmetric(1.0e-15f);
  for (int j = 0; j < kSize; ++j) values[kSize + j] = values[j];
}

const DenormalNoise& DenormalNoise::shared() {
  static const DenormalNoise table;
  return table;
}

void DenormalNoise::addTo(const float* input, float* noisy, int frames, int first) const {
  const float* row = values + first;
  int j = 0;
  // Four at a time: j is a multiple of four, so the four values lie in the row.
  for (; j + 4 <= frames; j += 4)
    _mm_storeu_ps(noisy + j, _mm_add_ps(_mm_loadu_ps(row + (j & (kSize - 1))), _mm_loadu_ps(input + j)));
  for (; j < frames; ++j) noisy[j] = row[j & (kSize - 1)] + input[j];
}
