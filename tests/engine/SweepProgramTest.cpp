#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/NoteValueNames.h"
#include "engine/SweepProgram.h"

namespace {
std::string display(const SweepProgram& program, std::int32_t index) {
  char text[24];
  program.parameter(index).formatDisplay(text);
  return text;
}
}  // namespace

TEST(NoteValueNames, All64TextsReduceTheFractionOfThirtySeconds) {
  const char* const expected[kNoteValueCount] = {
      "32nd",    "16th",    "3 32nd",  "8th",     "5 32nd",  "3 16th",  "7 32nd",  "4th",     "9 32nd",  "5 16th",
      "11 32nd", "3 8th",   "13 32nd", "7 16th",  "15 32nd", "Half",    "17 32nd", "9 16th",  "19 32nd", "5 8th",
      "21 32nd", "11 16th", "23 32nd", "3 4th",   "25 32nd", "13 16th", "27 32nd", "7 8th",   "29 32nd", "15 16th",
      "31 32nd", "Whole",   "33 32nd", "17 16th", "35 32nd", "9 8th",   "37 32nd", "19 16th", "39 32nd", "5 4th",
      "41 32nd", "21 16th", "43 32nd", "11 8th",  "45 32nd", "23 16th", "47 32nd", "3 Half",  "49 32nd", "25 16th",
      "51 32nd", "13 8th",  "53 32nd", "27 16th", "55 32nd", "7 4th",   "57 32nd", "29 16th", "59 32nd", "15 8th",
      "61 32nd", "31 16th", "63 32nd", "Double"};
  for (int i = 0; i < kNoteValueCount; ++i) EXPECT_STREQ(noteValueNames()[i], expected[i]) << i;
}

TEST(SweepProgram, ParametersStartAtTheirDefaults) {
  SweepProgram program;
  const struct {
    std::int32_t index;
    const char* name;
    const char* label;
    float normalized;
    const char* display;
  } expected[] = {
      {kFilterMode, "Filter", " Mode", 0.2f, "LowP 12dB"},
      {kMinimumFrequency, "Min Freq", " Hz", 0.162778f, "55.00"},
      {kMaximumFrequency, "Max Freq", " Hz", 0.720454f, "1760"},
      {kResonance, "Resonance", " ", 0.5f, "0.500"},
      {kActiveFilters, "Active", " Filters", 0.0f, "1"},
      {kTempo, "Tempo", " BPM", 119.0f / 249.0f, "120"},
      {kRepeatCount, "Repeat", " Count", 3.0f / 31.0f, "4"},
      {kSyncMode, "Sync", " Mode", 0.0f, "Host"},
      {kTimeDivision, "Time", " Div", 15.0f / 63.0f, "Half"},
      {kStepCount, "Steps", " ", 2.0f / 30.0f, "4"},
      {kSweepSpeed, "Sweep", " Speed", 0.6f, "0.600"},
  };
  for (const auto& e : expected) {
    EXPECT_STREQ(program.parameter(e.index).name(), e.name);
    EXPECT_STREQ(program.parameter(e.index).label(), e.label);
    EXPECT_NEAR(program.parameter(e.index).normalizedValue(), e.normalized, 1e-6) << e.name;
    EXPECT_EQ(display(program, e.index), e.display) << e.name;
  }
}

TEST(SweepProgram, NamesCountOnAcrossPrograms) {
  SweepProgram first;
  SweepProgram second;
  int firstNumber = 0;
  int secondNumber = 0;
  ASSERT_EQ(std::sscanf(first.name(), "Default %d", &firstNumber), 1);
  ASSERT_EQ(std::sscanf(second.name(), "Default %d", &secondNumber), 1);
  EXPECT_EQ(secondNumber, firstNumber + 1);
}

TEST(SweepProgram, CopyTransfersNormalisedValuesAndName) {
  SweepProgram source;
  SweepProgram target;
  source.parameter(kTimeDivision).setNormalized(1.0f);
  source.parameter(kResonance).setNormalized(1.7f);
  source.rename("Wobble");
  target.copyFrom(source);
  EXPECT_STREQ(target.name(), "Wobble");
  EXPECT_EQ(target.parameter(kTimeDivision).integerValue(), 63);
  EXPECT_EQ(target.parameter(kResonance).normalizedValue(), 1.7f);
  for (std::int32_t i = 0; i < kParameterCount; ++i)
    EXPECT_EQ(target.parameter(i).normalizedValue(), source.parameter(i).normalizedValue()) << i;
}

TEST(SweepProgram, RenameKeepsTheFirst23Characters) {
  SweepProgram program;
  program.rename("abcdefghijklmnopqrstuvwxyz0123");
  EXPECT_STREQ(program.name(), "abcdefghijklmnopqrstuvw");
}

// Other formats' controls set the parameters in their own units: a typed value
// comes back (the nearest float reached on the logarithmic scale), values
// outside the range are held to it, whole numbers and items are rounded, NaN
// stays NaN, and each default maps to the default's normalised value.
TEST(SweepProgram, ValuesInTheParametersOwnUnitsSetThemAsTyped) {
  SweepProgram program;
  const auto roundTrip = [&program](int index, float value) {
    ParameterDescriptor& parameter = program.parameter(index);
    parameter.setNormalized(parameter.normalizedFor(value));
    return parameter.unitValue();
  };
  const struct {
    int index;
    float value;
    float expected;
  } cases[] = {
      {kFilterMode, 5.0f, 5.0f},
      {kFilterMode, -3.0f, 0.0f},
      {kFilterMode, 2.4f, 2.0f},
      {kMinimumFrequency, 1.0f, 20.0f},
      {kMinimumFrequency, 1e9f, 10000.0f},
      {kMaximumFrequency, 10000.0f, 10000.0f},
      {kResonance, 0.75f, 0.75f},
      {kResonance, -0.5f, 0.0f},
      {kResonance, 7.0f, 1.0f},
      {kActiveFilters, 3.0f, 3.0f},
      {kTempo, 120.4f, 120.0f},
      {kTempo, 120.6f, 121.0f},
      {kTempo, 1e30f, 250.0f},
      {kTempo, -INFINITY, 1.0f},
      {kRepeatCount, 31.0f, 31.0f},
      {kSyncMode, 1.0f, 1.0f},
      {kTimeDivision, 99.0f, 63.0f},
      {kStepCount, 0.0f, 2.0f},
      {kSweepSpeed, 0.61f, 0.61f},
  };
  for (const auto& c : cases)
    EXPECT_EQ(roundTrip(c.index, c.value), c.expected) << program.parameter(c.index).name() << " " << c.value;
  for (float hertz : {55.0f, 440.0f, 3333.3f, 9999.5f})
    EXPECT_NEAR(roundTrip(kMinimumFrequency, hertz), hertz, hertz * 4e-7f) << hertz;

  const SweepProgram defaults;
  for (int index = 0; index < kParameterCount; ++index) {
    const ParameterDescriptor& parameter = defaults.parameter(index);
    EXPECT_TRUE(std::isnan(parameter.normalizedFor(NAN))) << parameter.name();
    const float normalized = parameter.normalizedFor(parameter.unitValue());
    program.parameter(index).setNormalized(normalized);
    EXPECT_EQ(program.parameter(index).unitValue(), parameter.unitValue()) << parameter.name();
    const ParameterScale scale = parameter.unitRange().scale;
    if (scale == ParameterScale::WholeNumber || scale == ParameterScale::Item) {
      EXPECT_EQ(normalized, parameter.normalizedValue()) << parameter.name();
    }
  }
}
