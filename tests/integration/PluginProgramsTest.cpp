#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/integration/PluginTestSupport.h"

namespace {
// Instances opened by this test program so far: program names count on
// across instances in one process.
int instancesOpened = 0;

AEffect* openCounted(StandInHost& host) {
  AEffect* effect = host.open();
  if (effect != nullptr) ++instancesOpened;
  return effect;
}

std::string indexedName(StandInHost& host, VstInt32 program) {
  char buffer[32];
  std::memset(buffer, '#', sizeof buffer);
  if (host.dispatch(effGetProgramNameIndexed, program, -1, buffer) != 1) return "<refused>";
  EXPECT_EQ(buffer[23], '\0');
  EXPECT_EQ(buffer[24], '#');
  return buffer;
}

int nameNumber(const std::string& name) {
  int number = 0;
  return std::sscanf(name.c_str(), "Default %d", &number) == 1 ? number : -1;
}
}  // namespace

TEST(PluginPrograms, FirstInstanceNamesDefault1To20AndASecondCountsOn) {
  const bool firstInProcess = instancesOpened == 0;
  StandInHost first(plugin().entry());
  ASSERT_NE(openCounted(first), nullptr);
  StandInHost second(plugin().entry());
  ASSERT_NE(openCounted(second), nullptr);
  const int base = nameNumber(indexedName(first, 0));
  if (firstInProcess) {
    EXPECT_EQ(base, 1);
  }
  for (VstInt32 p = 0; p < 20; ++p) {
    EXPECT_EQ(indexedName(first, p), "Default " + std::to_string(base + p));
    EXPECT_EQ(indexedName(second, p), "Default " + std::to_string(base + 20 + p));
  }
  EXPECT_EQ(indexedName(first, 20), "<refused>");
  EXPECT_EQ(first.text(effGetProgramName), "Default " + std::to_string(base));
}

TEST(PluginPrograms, ParametersReportTheirDefaults) {
  StandInHost host(plugin().entry());
  ASSERT_NE(openCounted(host), nullptr);
  EXPECT_EQ(host.text(effGetParamDisplay, 7), "Host");
  EXPECT_EQ(host.text(effGetParamDisplay, 8), "Half");
  EXPECT_EQ(host.text(effGetParamDisplay, 1), "55.00");
  EXPECT_EQ(host.text(effGetParamDisplay, 2), "1760");
  EXPECT_FLOAT_EQ(host.getParameter(5), 119.0f / 249.0f);
  EXPECT_EQ(host.getParameter(11), 0.0f);
  EXPECT_EQ(host.getParameter(-1), 0.0f);
}

TEST(PluginPrograms, SelectRenameAndCopyWorkThroughTheDispatcher) {
  StandInHost host(plugin().entry());
  ASSERT_NE(openCounted(host), nullptr);
  host.dispatch(effSetProgram, 0, 5);
  EXPECT_EQ(host.dispatch(effGetProgram), 5);
  host.setParameter(0, 1.0f);
  host.setParameter(4, 0.6f);
  char name[] = "A name longer than twenty-three";
  host.dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(host.text(effGetProgramName), "A name longer than twen");
  EXPECT_EQ(host.dispatch(effCopyProgram, 20), 0);
  EXPECT_EQ(host.dispatch(effCopyProgram, 3), 1);
  host.dispatch(effSetProgram, 0, 20);
  host.dispatch(effSetProgram, 0, -1);
  EXPECT_EQ(host.dispatch(effGetProgram), 5);
  host.dispatch(effSetProgram, 0, 3);
  EXPECT_EQ(host.text(effGetProgramName), "A name longer than twen");
  EXPECT_EQ(host.text(effGetParamDisplay, 0), "LowP 24dB");
  EXPECT_EQ(host.text(effGetParamDisplay, 4), "3");
  host.dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(host.text(effGetParamDisplay, 0), "LowP 12dB");
}
