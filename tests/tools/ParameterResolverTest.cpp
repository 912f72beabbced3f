#include <gtest/gtest.h>

#include <string>

#include "tools/lumivane-host/HostedPlugin.h"
#include "tools/lumivane-host/ParameterResolver.h"
#include "tools/lumivane-host/ToolError.h"

namespace {
struct Resolution {
  std::string assignment;
  int index;
  std::string display;
};

struct Refusal {
  std::string assignment;
  std::string reason;
};

class ParameterResolverTest : public ::testing::Test {
protected:
  HostedPlugin plugin{LUMIVANE_PLUGIN_PATH};
  ParameterResolver resolver{plugin.host()};

  // Display and label as the resolver reports them.
  std::string shown(int index) {
    const std::string display = plugin.host().text(effGetParamDisplay, index);
    std::string label = plugin.host().text(effGetParamLabel, index);
    label.erase(0, label.find_first_not_of(' '));
    label.erase(label.find_last_not_of(' ') + 1);
    return display + (label.empty() ? "" : " " + label);
  }

  std::string refusal(const std::string& assignment) {
    try {
      resolver.resolve(assignment);
    } catch (const ToolError& error) {
      return error.what();
    }
    return "(accepted)";
  }
};
}  // namespace

TEST_F(ParameterResolverTest, FindsTheValueThatShowsTheRequestedTextOrNumber) {
  const Resolution cases[] = {
      {"Filter=LowP 24dB", 0, "LowP 24dB Mode"},
      {"filter = bandp 12db", 0, "BandP 12dB Mode"},
      {"Filter=0.5", 0, "BandP 12dB Mode"},
      {"Min Freq=200", 1, "200.0 Hz"},
      {"Min Freq=200 Hz", 1, "200.0 Hz"},
      {"Min Freq=55", 1, "55.00 Hz"},
      {"Max Freq=5000hz", 2, "5000 Hz"},
      {"Min Freq=0.5", 1, "447.2 Hz"},
      {"Resonance=0.25", 3, "0.250"},
      {"Resonance=1", 3, "1.000"},
      {"Active=3", 4, "3 Filters"},
      {"Tempo=96", 5, "96 BPM"},
      {"5=96", 5, "96 BPM"},
      {"Tempo=1", 5, "1 BPM"},
      {"Tempo=0.5", 5, "125 BPM"},
      {"Tempo=100%", 5, "250 BPM"},
      {"Sync=Internal", 7, "Internal Mode"},
      {"Time Div=3 16th", 8, "3 16th Div"},
      {"Time=Double", 8, "Double Div"},
      {"Steps=32", 9, "32"},
      {"Sweep Speed=0.3", 10, "0.300 Speed"},
  };
  for (const Resolution& expected : cases) {
    const ResolvedParameter resolved = resolver.resolve(expected.assignment);
    EXPECT_EQ(resolved.index, expected.index) << expected.assignment;
    EXPECT_EQ(resolved.display, expected.display) << expected.assignment;
    plugin.host().setParameter(resolved.index, resolved.value);
    EXPECT_EQ(shown(resolved.index), expected.display) << expected.assignment;
  }
}

TEST_F(ParameterResolverTest, RefusesUnknownNamesItemsAndValuesOutOfRangeOrAmbiguous) {
  const Refusal cases[] = {
      {"Colour=3",
       "no parameter named \"Colour\"; the parameters are: Filter, Min Freq, Max Freq, Resonance, Active, Tempo, "
       "Repeat, Sync, Time, Steps, Sweep"},
      {"11=0.5", "no parameter 11: the plug-in has 11 (0 to 10)"},
      {"Filter=Lowpass",
       "Filter has no item \"Lowpass\"; it takes Bypass, LowP 12dB, HighP 12dB, BandP 12dB, Notch 12dB, LowP 24dB"},
      {"Filter=2",
       "Filter takes Bypass, LowP 12dB, HighP 12dB, BandP 12dB, Notch 12dB, LowP 24dB, or a normalised "
       "value from 0 to 1, not \"2\""},
      {"Min Freq=5", "Min Freq cannot be 5: it goes from 20.00 Hz to 10000 Hz"},
      {"Min Freq=20000 Hz", "Min Freq cannot be 20000 Hz: it goes from 20.00 Hz to 10000 Hz"},
      {"Steps=1", "Steps cannot be 1: it goes from 2 to 32 (a normalised value is written with a point, as 1.0)"},
      {"Tempo=96.5", "Tempo cannot be 96.5: it takes whole numbers from 1 BPM to 250 BPM"},
      {"Tempo=fast", "Tempo takes a number from 1 BPM to 250 BPM, not \"fast\""},
      {"Tempo=1.0",
       "Tempo=1.0 is ambiguous: as a normalised value it gives 250 BPM, in the unit 1 BPM; write \"1.0 BPM\" for "
       "the unit or \"100%\" for the position"},
      {"Tempo=150%", "Tempo=150%: a position in percent lies from 0% to 100%"},
      {"Tempo=", "--param Tempo= gives no value"},
  };
  for (const Refusal& expected : cases) EXPECT_EQ(refusal(expected.assignment), expected.reason);
}

TEST_F(ParameterResolverTest, LeavesTheParameterAsItWasWhileProbing) {
  StandInHost& host = plugin.host();
  host.setParameter(1, 0.3f);
  resolver.resolve("Min Freq=200");
  EXPECT_EQ(host.getParameter(1), 0.3f);
  EXPECT_NE(refusal("Min Freq=5"), "(accepted)");
  EXPECT_EQ(host.getParameter(1), 0.3f);
}
