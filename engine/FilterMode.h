#pragma once
// The six filter modes, the items of the "Filter" parameter, and which output
// of the two member filters each mode takes.

#include <cstdint>

enum class FilterMode : std::int32_t { kBypass = 0, kLowPass12, kHighPass12, kBandPass12, kNotch12, kLowPass24 };

constexpr std::int32_t kModeCount = static_cast<std::int32_t>(FilterMode::kLowPass24) + 1;

// The one mode served by the ladder filter; every other reads the state-variable filter.
constexpr bool usesLadder(FilterMode mode) { return mode == FilterMode::kLowPass24; }

// What a state-variable mode hands on: the input (bypass) or one of the four
// outputs. A mode outside the list is read as the 12 dB low-pass. Written for
// any sample type, so that the per-sample filter and the vector kernels of the
// filter bank share it.
template <typename Sample>
constexpr Sample stateVariableOutput(FilterMode mode, Sample input, Sample low, Sample high, Sample band,
                                     Sample notch) {
  switch (mode) {
    case FilterMode::kBypass: return input;
    case FilterMode::kHighPass12: return high;
    case FilterMode::kBandPass12: return band;
    case FilterMode::kNotch12: return notch;
    default: return low;
  }
}
