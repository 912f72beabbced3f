#include "engine/SweepProgram.h"

#include <atomic>
#include <cstdio>

#include "engine/ChoiceParameter.h"
#include "engine/IntegerParameter.h"
#include "engine/LinearParameter.h"
#include "engine/LogFrequencyParameter.h"
#include "engine/NoteValueNames.h"

namespace {
// Instances may be built on different host threads.
std::atomic<std::int32_t> programNameCounter{1};

const char* const kFilterModeNames[kModeCount] = {"Bypass",     "LowP 12dB",  "HighP 12dB",
                                                  "BandP 12dB", "Notch 12dB", "LowP 24dB"};
const char* const kSyncModeNames[2] = {"Host", "Internal"};

constexpr std::int32_t itemOf(FilterMode mode) { return static_cast<std::int32_t>(mode); }
constexpr std::int32_t itemOf(SyncMode mode) { return static_cast<std::int32_t>(mode); }
constexpr std::int32_t kHalfNote = 15;
}  // namespace

SweepProgram::SweepProgram() {
  parameters[kFilterMode] = std::make_unique<ChoiceParameter>("Filter", " Mode", kModeCount, kFilterModeNames,
                                                              itemOf(FilterMode::kLowPass12));
  parameters[kMinimumFrequency] = std::make_unique<LogFrequencyParameter>("Min Freq", " Hz", 20.0f, 10000.0f, 55.0f);
  parameters[kMaximumFrequency] = std::make_unique<LogFrequencyParameter>("Max Freq", " Hz", 20.0f, 10000.0f, 1760.0f);
  parameters[kResonance] = std::make_unique<LinearParameter>("Resonance", " ", 0.0f, 1.0f, 0.5f, false);
  parameters[kActiveFilters] = std::make_unique<IntegerParameter>("Active", " Filters", 1, 4, 1, false);
  parameters[kTempo] = std::make_unique<IntegerParameter>("Tempo", " BPM", 1, 250, 120, false);
  parameters[kRepeatCount] = std::make_unique<IntegerParameter>("Repeat", " Count", 1, 32, 4, false);
  parameters[kSyncMode] =
      std::make_unique<ChoiceParameter>("Sync", " Mode", 2, kSyncModeNames, itemOf(SyncMode::kSyncHost));
  parameters[kTimeDivision] =
      std::make_unique<ChoiceParameter>("Time", " Div", kNoteValueCount, noteValueNames(), kHalfNote);
  parameters[kStepCount] = std::make_unique<IntegerParameter>("Steps", " ", 2, 32, 4, false);
  parameters[kSweepSpeed] = std::make_unique<LinearParameter>("Sweep", " Speed", 0.0f, 1.0f, 0.6f, false);
  char initialName[ShortText::kCapacity];
  std::snprintf(initialName, sizeof initialName, "Default %d",
                static_cast<int>(programNameCounter.fetch_add(1, std::memory_order_relaxed)));
  programName.assign(initialName);
}

void SweepProgram::rename(const char* text) { programName.assign(text); }

void SweepProgram::copyFrom(const SweepProgram& source) {
  for (std::int32_t i = 0; i < kParameterCount; ++i)
    parameters[i]->setNormalized(source.parameters[i]->normalizedValue());
  programName = source.programName;
}
