#include "engine/RandomGenerator.h"

#include <ctime>

#include "engine/LinearCongruence.h"

namespace {
constexpr LinearCongruence kRecurrence{1103515245u, 12345u};

// Used only while the first effect fills the anti-denormal table, which
// happens once per process under the guard of a function-local static.
RandomGenerator processGenerator(static_cast<std::uint32_t>(std::time(nullptr)));
}  // namespace

RandomGenerator& RandomGenerator::shared() { return processGenerator; }

int RandomGenerator::next() {
  seed = kRecurrence.following(seed);
  return LinearCongruence::draw(seed);
}

float RandomGenerator::uniform(float low, float high) {
  return low + static_cast<float>(next()) * 3.0518509e-05f * (high - low);
}
