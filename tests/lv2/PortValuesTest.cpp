#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/SweepProgram.h"
#include "lv2/PortValues.h"

using lv2plugin::normalizedFromPort;
using lv2plugin::portValue;

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The port value the parameter shows after being set from `value`.
float roundTrip(SweepProgram& program, int index, float value) {
  ParameterDescriptor& parameter = program.parameter(index);
  parameter.setNormalized(normalizedFromPort(parameter, value));
  return portValue(parameter);
}
}  // namespace

TEST(Lv2PortValues, EachPortValueSetsTheParameterToExactlyThatValue) {
  SweepProgram program;
  const struct {
    int index;
    float values[6];
    // A logarithmic scale skips floats: a typed value comes back as the nearest one reached.
    float relativeError;
  } cases[] = {
      {kFilterMode, {0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f}, 0.0f},
      {kMinimumFrequency, {20.0f, 55.0f, 200.0f, 440.0f, 9999.5f, 10000.0f}, 4e-7f},
      {kMaximumFrequency, {20.0f, 20.001f, 1760.0f, 3333.3f, 5000.0f, 10000.0f}, 4e-7f},
      {kResonance, {0.0f, 0.1f, 0.5f, 0.75f, 0.999f, 1.0f}, 0.0f},
      {kActiveFilters, {1.0f, 2.0f, 3.0f, 4.0f, 4.0f, 1.0f}, 0.0f},
      {kTempo, {1.0f, 2.0f, 119.0f, 120.0f, 249.0f, 250.0f}, 0.0f},
      {kRepeatCount, {1.0f, 4.0f, 7.0f, 16.0f, 31.0f, 32.0f}, 0.0f},
      {kSyncMode, {0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 1.0f}, 0.0f},
      {kTimeDivision, {0.0f, 1.0f, 15.0f, 16.0f, 40.0f, 63.0f}, 0.0f},
      {kStepCount, {2.0f, 3.0f, 4.0f, 17.0f, 31.0f, 32.0f}, 0.0f},
      {kSweepSpeed, {0.0f, 0.01f, 0.3f, 0.6f, 0.61f, 1.0f}, 0.0f},
  };
  for (const auto& c : cases) {
    for (float value : c.values)
      EXPECT_NEAR(roundTrip(program, c.index, value), value, value * c.relativeError)
          << program.parameter(c.index).name() << " " << value;
    // Every value the parameter can take comes back through its port.
    for (int step = 0; step <= 64; ++step) {
      ParameterDescriptor& parameter = program.parameter(c.index);
      parameter.setNormalized(static_cast<float>(step) / 64.0f);
      const float shown = portValue(parameter);
      EXPECT_EQ(roundTrip(program, c.index, shown), shown) << parameter.name() << " at step " << step;
    }
  }
}

TEST(Lv2PortValues, DefaultsMapToTheDefaultProgramsNormalisedValues) {
  const SweepProgram defaults;
  SweepProgram program;
  for (int index = 0; index < kParameterCount; ++index) {
    const ParameterDescriptor& parameter = defaults.parameter(index);
    const float normalized = normalizedFromPort(parameter, portValue(parameter));
    program.parameter(index).setNormalized(normalized);
    EXPECT_EQ(portValue(program.parameter(index)), portValue(parameter)) << parameter.name();
    const ParameterScale scale = parameter.unitRange().scale;
    if (scale == ParameterScale::WholeNumber || scale == ParameterScale::Item) {
      EXPECT_EQ(normalized, parameter.normalizedValue()) << parameter.name();
    }
  }
}

TEST(Lv2PortValues, ValuesOutsideTheRangeAreHeldToItAndWholeNumbersRounded) {
  SweepProgram program;
  const struct {
    int index;
    float value;
    float expected;
  } cases[] = {
      {kFilterMode, -3.0f, 0.0f},
      {kFilterMode, 9.0f, 5.0f},
      {kFilterMode, 2.4f, 2.0f},
      {kMinimumFrequency, 1.0f, 20.0f},
      {kMinimumFrequency, 1e9f, 10000.0f},
      {kResonance, -0.5f, 0.0f},
      {kResonance, 7.0f, 1.0f},
      {kTempo, 120.4f, 120.0f},
      {kTempo, 120.6f, 121.0f},
      {kTempo, 1e30f, 250.0f},
      {kTempo, -std::numeric_limits<float>::infinity(), 1.0f},
      {kStepCount, 0.0f, 2.0f},
      {kTimeDivision, 99.0f, 63.0f},
  };
  for (const auto& c : cases)
    EXPECT_EQ(roundTrip(program, c.index, c.value), c.expected) << program.parameter(c.index).name() << " " << c.value;
  for (int index = 0; index < kParameterCount; ++index)
    EXPECT_TRUE(std::isnan(normalizedFromPort(program.parameter(index), kNaN))) << index;
}
