#pragma once
// The recurrence of the effect's random generators: x' = a x + c modulo 2^32,
// each draw being bits 16 to 30 of the new state (0..32767). The generators
// differ only in their constants and in how they keep the state.

#include <cstdint>

struct LinearCongruence {
  std::uint32_t multiplier;
  std::uint32_t increment;

  constexpr std::uint32_t following(std::uint32_t state) const { return state * multiplier + increment; }
  static constexpr int draw(std::uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFF); }
};
