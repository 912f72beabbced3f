#pragma once
// The eleven parameters in the order host, editor and engine share.

#include <cstdint>

#include "engine/FilterMode.h"

// Kept as plain integral constants: they index the host's parameter numbers
// and the programs' tables everywhere.
enum ParameterIndex : std::int32_t {
  kFilterMode = 0,
  kMinimumFrequency,
  kMaximumFrequency,
  kResonance,
  kActiveFilters,
  kTempo,
  kRepeatCount,
  kSyncMode,
  kTimeDivision,
  kStepCount,
  kSweepSpeed,
  kParameterCount
};

enum class SyncMode : std::int32_t { kSyncHost = 0, kSyncInternal };

constexpr bool isParameterIndex(std::int32_t index) { return index >= 0 && index < kParameterCount; }
