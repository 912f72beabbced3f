#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "engine/ChoiceParameter.h"
#include "engine/IntegerParameter.h"
#include "engine/LinearParameter.h"
#include "engine/LogFrequencyParameter.h"

namespace {
std::string display(const ParameterDescriptor& descriptor) {
  char text[24];
  descriptor.formatDisplay(text);
  return text;
}

std::string shortDisplay(const ParameterDescriptor& descriptor) {
  char text[24];
  descriptor.formatShortDisplay(text);
  return text;
}

const char* const kModes[6] = {"Bypass", "LowP 12dB", "HighP 12dB", "BandP 12dB", "Notch 12dB", "LowP 24dB"};
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
}  // namespace

TEST(IntegerParameter, EachWholeNumberOwnsItsShareOfTheRange) {
  IntegerParameter active("Active", " Filters", 1, 4, 1, false);
  const struct {
    float normalized;
    std::int32_t expected;
  } cases[] = {{0.0f, 1}, {0.25f, 1}, {0.2501f, 2}, {0.5f, 2}, {0.75f, 3}, {1.0f, 4}, {1.5f, 4}, {-0.3f, 1}};
  for (const auto& c : cases) {
    active.setNormalized(c.normalized);
    EXPECT_EQ(active.integerValue(), c.expected) << c.normalized;
    EXPECT_EQ(active.normalizedValue(), c.normalized);
  }
}

TEST(IntegerParameter, InfiniteHugeOrNaNValuesClampWithoutOverflow) {
  IntegerParameter tempo("Tempo", " BPM", 1, 250, 120, false);
  tempo.setNormalized(kInfinity);
  EXPECT_EQ(tempo.integerValue(), 250);
  tempo.setNormalized(-kInfinity);
  EXPECT_EQ(tempo.integerValue(), 1);
  tempo.setNormalized(3.0e38f);
  EXPECT_EQ(tempo.integerValue(), 250);
  tempo.setNormalized(-3.0e38f);
  EXPECT_EQ(tempo.integerValue(), 1);
  tempo.setNormalized(kNaN);
  EXPECT_EQ(tempo.integerValue(), 1) << "NaN counts as zero, held to the range";
}

TEST(IntegerParameter, DefaultLandsOnItsOwnNumberAndDisplaysPlainOrSigned) {
  IntegerParameter tempo("Tempo", " BPM", 1, 250, 120, false);
  EXPECT_FLOAT_EQ(tempo.normalizedValue(), 119.0f / 249.0f);
  EXPECT_EQ(tempo.integerValue(), 120);
  EXPECT_EQ(display(tempo), "120");
  EXPECT_EQ(shortDisplay(tempo), "120");
  IntegerParameter offset("Offset", "", -5, 5, 3, true);
  EXPECT_EQ(offset.integerValue(), 3);
  EXPECT_EQ(display(offset), "+3");
  offset.setRange(10, 20);
  EXPECT_EQ(offset.integerValue(), 18) << "the stored normalised value is re-applied to the new range";
}

TEST(ChoiceParameter, NormalisedValueSelectsItemsAndClampsAtTheEnds) {
  ChoiceParameter mode("Filter", " Mode", 6, kModes, 1);
  EXPECT_FLOAT_EQ(mode.normalizedValue(), 0.2f);
  EXPECT_EQ(mode.integerValue(), 1);
  EXPECT_EQ(display(mode), "LowP 12dB");
  const struct {
    float normalized;
    std::int32_t expected;
  } cases[] = {{0.2f, 1}, {0.99f, 5}, {1.0f, 5}, {0.0f, 0}, {-1.0f, 0}, {kInfinity, 5}, {-kInfinity, 0}, {kNaN, 0}};
  for (const auto& c : cases) {
    mode.setNormalized(c.normalized);
    EXPECT_EQ(mode.integerValue(), c.expected) << c.normalized;
    EXPECT_EQ(mode.plainValue(), static_cast<float>(c.expected));
  }
  mode.setNormalized(0.99f);
  EXPECT_EQ(display(mode), "LowP 24dB");
  EXPECT_EQ(shortDisplay(mode), "LowP 24dB");
}

TEST(ChoiceParameter, LastIndexAsDefaultMapsBackToTheLastItem) {
  ChoiceParameter mode("Filter", " Mode", 6, kModes, 5);
  EXPECT_EQ(mode.normalizedValue(), 1.0f);
  mode.setNormalized(mode.normalizedValue());
  EXPECT_EQ(mode.integerValue(), 5);
}

TEST(ChoiceParameter, CountOutsideTwoTo128IsKeptInRange) {
  const char* const one[1] = {"Only"};
  ChoiceParameter single("One", "", 1, one, 0);
  EXPECT_EQ(display(single), "Only");
  single.setNormalized(1.0f);
  EXPECT_EQ(single.integerValue(), 1) << "made up to two items";
  EXPECT_EQ(display(single), "");
  std::string manyTexts[200];
  const char* many[200];
  for (int i = 0; i < 200; ++i) {
    manyTexts[i] = std::to_string(i);
    many[i] = manyTexts[i].c_str();
  }
  ChoiceParameter large("Many", "", 200, many, 199);
  large.setNormalized(1.0f);
  EXPECT_EQ(large.integerValue(), 127);
  EXPECT_EQ(display(large), "127");
}

TEST(ChoiceParameter, ItemNamesAndValuesCanBeReplaced) {
  ChoiceParameter mode("Filter", " Mode", 6, kModes, 2);
  mode.setItemName(2, "A name that is far longer than 23 characters");
  EXPECT_EQ(display(mode), "A name that is far long");
  std::int32_t numbers[200] = {7, 8, 9};
  EXPECT_EQ(mode.setItemValues(3, numbers), 3);
  EXPECT_EQ(mode.selectedItemValue(), 9);
  numbers[2] = 11;
  EXPECT_EQ(mode.setItemValues(500, numbers), 128) << "the count is clamped to the capacity";
  EXPECT_EQ(mode.selectedItemValue(), 11);
}

TEST(LogFrequencyParameter, SpreadsEvenlyInOctavesAndClampsToTheRange) {
  LogFrequencyParameter frequency("Min Freq", " Hz", 20.0f, 10000.0f, 55.0f);
  EXPECT_NEAR(frequency.normalizedValue(), 0.162778, 1e-6);
  EXPECT_EQ(display(frequency), "55.00");
  EXPECT_EQ(shortDisplay(frequency), "55.0");
  frequency.setNormalized(0.0f);
  EXPECT_EQ(frequency.plainValue(), 20.0f);
  frequency.setNormalized(1.0f);
  EXPECT_EQ(frequency.plainValue(), 10000.0f);
  frequency.setNormalized(0.5f);
  EXPECT_NEAR(frequency.plainValue(), 447.2136, 1e-3);
  frequency.setNormalized(1.5f);
  EXPECT_EQ(frequency.plainValue(), 10000.0f);
  frequency.setNormalized(kInfinity);
  EXPECT_EQ(frequency.plainValue(), 10000.0f);
  frequency.setNormalized(-kInfinity);
  EXPECT_EQ(frequency.plainValue(), 20.0f);
}

TEST(LogFrequencyParameter, DefaultOutsideTheRangeIsPlacedAtItsEnd) {
  LogFrequencyParameter high("F", "", 20.0f, 10000.0f, 20000.0f);
  EXPECT_FLOAT_EQ(high.normalizedValue(), 1.0f);
  LogFrequencyParameter low("F", "", 20.0f, 10000.0f, 5.0f);
  EXPECT_FLOAT_EQ(low.normalizedValue(), 0.0f);
  LogFrequencyParameter top("Max Freq", " Hz", 20.0f, 10000.0f, 1760.0f);
  EXPECT_NEAR(top.normalizedValue(), 0.720454, 1e-6);
  EXPECT_EQ(display(top), "1760");
  EXPECT_EQ(shortDisplay(top), "1760");
}

TEST(LinearParameter, DisplaysPickDigitsByMagnitude) {
  LinearParameter wide("Wide", "", 0.0f, 1000000.0f, 0.0f, false);
  const struct {
    float plain;
    const char* full;
    const char* shortForm;
  } cases[] = {{0.5f, "0.500", "0.50"},   {12.5f, "12.50", "12.5"},   {150.0f, "150.0", "150"},
               {2500.0f, "2500", "2500"}, {250000.0f, "250000", "!"}, {-12.5f, "-12.50", "-12.5"}};
  for (const auto& c : cases) {
    wide.setNormalized(c.plain / 1000000.0f);
    EXPECT_EQ(display(wide), c.full) << c.plain;
    EXPECT_EQ(shortDisplay(wide), c.shortForm) << c.plain;
  }
  LinearParameter signedValue("Signed", "", 0.0f, 1.0f, 0.5f, true);
  EXPECT_EQ(display(signedValue), "+0.500");
  EXPECT_EQ(shortDisplay(signedValue), "+0.50");
}

TEST(LinearParameter, KeepsValuesOutsideItsRange) {
  LinearParameter resonance("Resonance", " ", 0.0f, 1.0f, 0.5f, false);
  EXPECT_EQ(resonance.normalizedValue(), 0.5f);
  EXPECT_EQ(display(resonance), "0.500");
  resonance.setNormalized(3.0f);
  EXPECT_EQ(resonance.plainValue(), 3.0f);
  EXPECT_EQ(resonance.normalizedValue(), 3.0f);
  EXPECT_EQ(resonance.integerValue(), 3);
  resonance.setNormalized(kInfinity);
  EXPECT_EQ(resonance.integerValue(), std::numeric_limits<std::int32_t>::max()) << "no overflowing conversion";
  resonance.setRange(10.0f, 20.0f);
  EXPECT_EQ(display(resonance), "inf");
}

TEST(ParameterDescriptor, NamesAndLabelsKeepTheirFirst23Characters) {
  LinearParameter sweep("Sweep", " Speed", 0.0f, 1.0f, 0.6f, false);
  EXPECT_STREQ(sweep.name(), "Sweep");
  EXPECT_STREQ(sweep.label(), " Speed");
  LinearParameter longName("A parameter name of thirty chars", "A label of thirty characters", 0.0f, 1.0f, 0.0f, false);
  EXPECT_STREQ(longName.name(), "A parameter name of thi");
  EXPECT_STREQ(longName.label(), "A label of thirty chara");
}

TEST(ParameterDescriptor, NormalizedForGivesEveryReachableValueBackExactly) {
  LinearParameter linear("Linear", "", -7.3f, 1234.56f, 0.0f, false);
  LogFrequencyParameter frequency("Freq", " Hz", 33.3f, 17777.0f, 100.0f);
  IntegerParameter wide("Wide", "", 3, 100000, 7, false);
  ChoiceParameter mode("Filter", " Mode", 6, kModes, 1);
  ParameterDescriptor* const descriptors[] = {&linear, &frequency, &wide, &mode};
  std::mt19937 generator(7);
  std::uniform_real_distribution<float> share(0.0f, 1.0f);
  for (ParameterDescriptor* descriptor : descriptors) {
    int misses = 0;
    for (int i = 0; i < 20000; ++i) {
      descriptor->setNormalized(share(generator));
      const float value = descriptor->unitValue();
      descriptor->setNormalized(descriptor->normalizedFor(value));
      if (descriptor->unitValue() != value) ++misses;
    }
    EXPECT_EQ(misses, 0) << descriptor->name();
  }
}

TEST(ParameterDescriptor, NormalizedForARangeOfOneValueIsItsStart) {
  LinearParameter linear("Linear", "", 2.0f, 2.0f, 0.0f, false);
  LogFrequencyParameter frequency("Freq", " Hz", 440.0f, 440.0f, 440.0f);
  const ParameterDescriptor* const descriptors[] = {&linear, &frequency};
  for (const ParameterDescriptor* descriptor : descriptors)
    for (float value : {0.0f, 440.0f, 1e9f}) EXPECT_EQ(descriptor->normalizedFor(value), 0.0f) << descriptor->name();
}
