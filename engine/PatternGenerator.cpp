#include "engine/PatternGenerator.h"

#include "engine/LinearCongruence.h"

namespace {
constexpr LinearCongruence kRecurrence{214013u, 2531011u};
}  // namespace

int PatternGenerator::next() {
  std::uint32_t current = state.load(std::memory_order_relaxed);
  std::uint32_t following = 0;
  do {
    following = kRecurrence.following(current);
  } while (!state.compare_exchange_weak(current, following, std::memory_order_relaxed));
  return LinearCongruence::draw(following);
}
