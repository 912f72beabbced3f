#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "MemoryAudio.h"
#include "ToolProcess.h"

namespace {
constexpr int kRate = 44100;

struct FailingRender {
  std::vector<std::string> arguments;  // {in}, {wide}, {text}, {out}, {missing}: paths in the scratch folder
  std::string message;
  int status;
};

std::vector<std::string> withPaths(const std::vector<std::string>& arguments, const ScratchFolder& folder) {
  const std::pair<std::string, std::string> placeholders[] = {
      {"{in}", "in.wav"}, {"{wide}", "wide.wav"}, {"{text}", "text.wav"}, {"{out}", "out"}, {"{missing}", "missing"}};
  std::vector<std::string> result = {"--plugin", LUMIVANE_PLUGIN_PATH};
  for (std::string argument : arguments) {
    for (const auto& [token, name] : placeholders)
      if (const auto at = argument.find(token); at != std::string::npos)
        argument.replace(at, token.size(), folder.path(name));
    result.push_back(argument);
  }
  return result;
}
}  // namespace

TEST(LumivaneHostCommand, BadInputEndsWithOneLineAndNoOutputFile) {
  const FailingRender cases[] = {
      {{"render", "{missing}/in.wav", "{out}.wav"}, "does not exist", 1},
      {{"render", "{text}", "{out}.wav"}, "cannot read", 1},
      {{"render", "{wide}", "{out}.wav"}, "has 3 channels; the plug-in takes mono or up to 2", 1},
      {{"render", "{in}", "{out}.mp9"}, "unknown output format", 1},
      {{"render", "{in}", "{out}.wav", "--param", "Colour=3"}, "no parameter named \"Colour\"", 1},
      {{"render", "{in}", "{out}.wav", "--param", "Filter=Lowpass"}, "Filter has no item \"Lowpass\"", 1},
      {{"render", "{in}", "{out}.wav", "--param", "Min Freq=5"}, "Min Freq cannot be 5", 1},
      {{"render", "{in}", "{out}.wav", "--program", "20"}, "--program 20 does not exist", 1},
      {{"render", "{out}.wav", "--tempo", "0"}, "--tempo must be above 0", 2},
      {{"render", "{out}.wav", "--tempo", "-1"}, "--tempo must be above 0", 2},
      {{"render", "{in}", "{missing}/out.wav"}, "cannot write into", 1},
  };
  for (const FailingRender& failing : cases) {
    ScratchFolder folder;
    writeAudioFile(folder.path("in.wav"), 2, kRate, std::vector<float>(2000, 0.1f));
    writeAudioFile(folder.path("wide.wav"), 3, kRate, std::vector<float>(3000, 0.1f));
    std::ofstream(folder.path("text.wav")) << "not audio\n";
    const ToolRun run = runTool(withPaths(failing.arguments, folder));
    EXPECT_EQ(run.status, failing.status) << failing.message;
    EXPECT_EQ(run.err.rfind("lumivane-host: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(failing.message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"in.wav", "text.wav", "wide.wav"})) << failing.message;
  }
}

TEST(LumivaneHostCommand, RefusesALibraryThatIsNoPluginOrWhoseEntryRefuses) {
  ScratchFolder folder;
  std::ofstream(folder.path("Fake.so")) << "not a library\n";
  const ToolRun fake = runTool({"--plugin", folder.path("Fake.so"), "render", folder.path("out.wav")});
  EXPECT_EQ(fake.status, 1);
  EXPECT_EQ(fake.err.rfind("lumivane-host: cannot load plug-in " + folder.path("Fake.so") + ": ", 0), 0u) << fake.err;

  const ToolRun refusing = runTool({"--plugin", REFUSING_PLUGIN_PATH, "info"});
  EXPECT_EQ(refusing.status, 1);
  EXPECT_EQ(refusing.err, "lumivane-host: plug-in " + std::string(REFUSING_PLUGIN_PATH) +
                              " refused to open: its entry answered no effect\n");
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"Fake.so"});
}

TEST(LumivaneHostCommand, RendersMonoAndStereoFilesIntoStereoFloatWithTheTail) {
  for (int channels : {1, 2}) {
    ScratchFolder folder;
    writeAudioFile(folder.path("in.wav"), channels, 48000, std::vector<float>(3000 * channels, 0.25f));
    const ToolRun run = runTool({"--plugin", LUMIVANE_PLUGIN_PATH, "render", folder.path("in.wav"),
                                 folder.path("out.wav"), "--param", "Filter=Bypass", "--block", "100"});
    ASSERT_EQ(run.status, 0) << run.err;
    const AudioFileContents out = readAudioFile(folder.path("out.wav"));
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(out.sampleRate, 48000);
    EXPECT_EQ(out.samples.size(), 2u * (3000 + 1024));
    EXPECT_NEAR(out.samples[2 * 1500], 0.25f, 1e-6f);
    EXPECT_NEAR(out.samples[2 * 1500 + 1], 0.25f, 1e-6f);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"in.wav", "out.wav"}));
  }
}

TEST(LumivaneHostCommand, RendersTheBuiltInSignalWithoutAnyFileAndNamesWhatItSet) {
  ScratchFolder folder;
  const ToolRun run = runTool({"--plugin", LUMIVANE_PLUGIN_PATH, "render", folder.path("out.flac"), "--seconds", "1",
                               "--rate", "22050", "--param", "Tempo=96", "--program", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Parameter 5 Tempo = 96 BPM"), std::string::npos) << run.out;
  const AudioFileContents out = readAudioFile(folder.path("out.flac"));
  EXPECT_EQ(out.sampleRate, 22050);
  EXPECT_EQ(out.samples.size(), 2u * (22050 + 1024));
}
