#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ToolProcess.h"
#include "tools/lumivane-host/HostedPlugin.h"
#include "tools/lumivane-host/InfoReport.h"

namespace {
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The value after the fixed-width label of a report line.
std::string field(const std::vector<std::string>& lines, const std::string& label) {
  for (const std::string& line : lines)
    if (line.rfind(label + " ", 0) == 0) return trimmed(line.substr(label.size()));
  return "(missing " + label + ")";
}

std::string reportOf(HostedPlugin& plugin) {
  std::ostringstream out;
  writeInfoReport(plugin.host(), plugin.path(), out);
  return out.str();
}
}  // namespace

TEST(InfoReport, ShowsWhatThePluginAnswers) {
  HostedPlugin plugin(LUMIVANE_PLUGIN_PATH);
  StandInHost& host = plugin.host();
  const std::vector<std::string> lines = linesOf(reportOf(plugin));

  EXPECT_EQ(field(lines, "Name"), host.text(effGetEffectName));
  EXPECT_EQ(field(lines, "Vendor"), host.text(effGetVendorString));
  EXPECT_EQ(field(lines, "Product"), host.text(effGetProductString));
  EXPECT_EQ(field(lines, "Version"), std::to_string(host.dispatch(effGetVendorVersion)) + " (vendor), 1 (effect)");
  EXPECT_EQ(field(lines, "Unique ID"), "'q222' 0x71323232");
  EXPECT_EQ(field(lines, "Tail"), std::to_string(host.dispatch(effGetTailSize)) + " samples");
  EXPECT_EQ(field(lines, "Inputs"), "2");
  EXPECT_EQ(field(lines, "Outputs"), "2");
  EXPECT_EQ(field(lines, "Flags").rfind(std::to_string(plugin.effect().flags) + " (", 0), 0u);

  char receiveTime[] = "receiveVstTimeInfo";
  const VstIntPtr timeAnswer = host.dispatch(effCanDo, 0, 0, receiveTime);
  const std::string expectedTime = timeAnswer > 0 ? "yes" : timeAnswer < 0 ? "no" : "don't know";
  EXPECT_NE(std::find(lines.begin(), lines.end(), std::string(12, ' ') + "receiveVstTimeInfo: " + expectedTime),
            lines.end());

  const auto parameters = std::find_if(lines.begin(), lines.end(),
                                       [](const std::string& line) { return line.rfind("Parameters ", 0) == 0; });
  ASSERT_NE(parameters, lines.end());
  for (VstInt32 index = 0; index < plugin.effect().numParams; ++index) {
    const std::string& line = *(parameters + 1 + index);
    std::istringstream columns(line);
    int shownIndex = -1;
    columns >> shownIndex;
    EXPECT_EQ(shownIndex, index) << line;
    EXPECT_NE(line.find(host.text(effGetParamName, index)), std::string::npos) << line;
    EXPECT_NE(line.find(host.text(effGetParamDisplay, index)), std::string::npos) << line;
    char value[16];
    std::snprintf(value, sizeof value, "%.6f", static_cast<double>(host.getParameter(index)));
    EXPECT_EQ(line.substr(line.size() - std::string(value).size()), value) << line;
  }

  const auto programs =
      std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("Programs ", 0) == 0; });
  ASSERT_NE(programs, lines.end());
  ASSERT_EQ(lines.end() - programs - 1, plugin.effect().numPrograms);
  for (VstInt32 index = 0; index < plugin.effect().numPrograms; ++index) {
    char name[64] = {};
    host.dispatch(effGetProgramNameIndexed, index, -1, name);
    EXPECT_EQ(trimmed(*(programs + 1 + index)), trimmed(std::to_string(index) + "  " + name));
  }
}

// Program names count up across the instances of a process, so only the part
// before them is the same for two instances.
TEST(InfoReport, InfoCommandPrintsTheReportOfAFreshInstance) {
  const ToolRun run = runTool({"--plugin", LUMIVANE_PLUGIN_PATH, "info"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  HostedPlugin plugin(LUMIVANE_PLUGIN_PATH);
  const std::string expected = reportOf(plugin);
  EXPECT_EQ(run.out.substr(0, run.out.find("\nPrograms")), expected.substr(0, expected.find("\nPrograms")));
}
