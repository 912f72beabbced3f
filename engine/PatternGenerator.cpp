#include "engine/PatternGenerator.h"

int PatternGenerator::next() {
  std::uint32_t current = state.load(std::memory_order_relaxed);
  std::uint32_t following = 0;
  do {
    following = current * 214013u + 2531011u;
  } while (!state.compare_exchange_weak(current, following, std::memory_order_relaxed));
  return static_cast<int>((following >> 16) & 0x7FFF);
}
