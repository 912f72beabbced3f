#pragma once
// The eleven parameters in the order host, editor and engine share.

#include "host/VstAbi.h"

enum ParameterIndex : VstInt32 {
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

enum FilterMode : VstInt32 { kBypass = 0, kLowPass12, kHighPass12, kBandPass12, kNotch12, kLowPass24, kModeCount };
enum SyncMode : VstInt32 { kSyncHost = 0, kSyncInternal };

constexpr bool isParameterIndex(VstInt32 index) { return index >= 0 && index < kParameterCount; }
