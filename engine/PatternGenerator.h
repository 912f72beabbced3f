#pragma once
// The generator of an effect's step patterns: the classic runtime-library
// generator (x * 214013 + 2531011, bits 16 to 30). Both host threads draw from
// it (a write of "Repeat" and a sweep boundary), so its state is one atomic word.

#include <atomic>
#include <cstdint>

class PatternGenerator {
public:
  explicit PatternGenerator(std::uint32_t seed) : state(seed) {}

  void seed(std::uint32_t value) { state.store(value, std::memory_order_relaxed); }
  // 0..32767.
  int next();

private:
  std::atomic<std::uint32_t> state;
};
