#include "engine/DenormalNoise.h"

#include "engine/RandomGenerator.h"

DenormalNoise::DenormalNoise() {
  RandomGenerator& generator = RandomGenerator::shared();
  for (float& value : values) value = generator.symmetric(1.0e-15f);
}

const DenormalNoise& DenormalNoise::shared() {
  static const DenormalNoise table;
  return table;
}
