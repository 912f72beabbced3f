#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "MemoryAudio.h"
#include "ToolProcess.h"

namespace fs = std::filesystem;

namespace {
constexpr int kRate = 44100;

struct FailingRender {
  // {in}, {wide}, {text}, {zero}, {link}, {dangling}, {locked}, {pipe}, {out}, {missing}: paths in the scratch folder
  std::vector<std::string> arguments;
  std::string message;
  int status;
};

std::vector<std::string> withPaths(const std::vector<std::string>& arguments, const ScratchFolder& folder) {
  const std::pair<std::string, std::string> placeholders[] = {
      {"{in}", "in.wav"},     {"{wide}", "wide.wav"},         {"{text}", "text.wav"}, {"{zero}", "zero.wav"},
      {"{link}", "link.wav"}, {"{dangling}", "dangling.wav"}, {"{out}", "out"},       {"{locked}", "locked.wav"},
      {"{pipe}", "pipe.wav"}, {"{missing}", "missing"}};
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
      {{"render", "{zero}", "{out}.wav"}, "its header gives a sample rate of 0 Hz", 1},
      {{"render", "{in}", "{in}"}, "is the input file", 1},
      {{"render", "{in}", "{link}"}, "is the input file", 1},
      {{"render", "{in}", "{dangling}"}, "is a link to nothing", 1},
      {{"render", "{in}", "{locked}"}, "is write-protected", 1},
      {{"render", "{in}", "{pipe}"}, "is no regular file", 1},
  };
  for (const FailingRender& failing : cases) {
    ScratchFolder folder;
    const std::vector<float> input(2000, 0.1f);
    writeAudioFile(folder.path("in.wav"), 2, kRate, input);
    writeAudioFile(folder.path("wide.wav"), 3, kRate, std::vector<float>(3000, 0.1f));
    std::ofstream(folder.path("text.wav")) << "not audio\n";
    writeAudioFile(folder.path("zero.wav"), 2, kRate, input);
    std::fstream(folder.path("zero.wav"), std::ios::in | std::ios::out | std::ios::binary).seekp(24).write("\0\0\0", 4);
    fs::create_symlink("in.wav", folder.path("link.wav"));
    fs::create_symlink("missing.wav", folder.path("dangling.wav"));
    writeAudioFile(folder.path("locked.wav"), 2, kRate, input);
    fs::permissions(folder.path("locked.wav"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    mkfifo(folder.path("pipe.wav").c_str(), 0666);
    const ToolRun run = runTool(withPaths(failing.arguments, folder));
    EXPECT_EQ(run.status, failing.status) << failing.message;
    EXPECT_EQ(run.err.rfind("lumivane-host: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(failing.message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"dangling.wav", "in.wav", "link.wav", "locked.wav",
                                                          "pipe.wav", "text.wav", "wide.wav", "zero.wav"}))
        << failing.message;
    EXPECT_EQ(readAudioFile(folder.path("in.wav")).samples, input) << failing.message;
    EXPECT_EQ(readAudioFile(folder.path("locked.wav")).samples, input) << failing.message;
  }
}

// A name that starts with a dash after "--", a name as long as the file
// system allows, and a link, whose file the render replaces.
TEST(LumivaneHostCommand, WritesOutputsWhoseNamesLookLikeOptionsReachTheLongestNameOrAreLinks) {
  ScratchFolder folder;
  writeAudioFile(folder.path("in.wav"), 2, kRate, std::vector<float>(2000, 0.1f));
  writeAudioFile(folder.path("old.wav"), 1, kRate, std::vector<float>(10, 0.5f));
  fs::permissions(folder.path("old.wav"), fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("old.wav", folder.path("link.wav"));
  const std::string longest = std::string(255 - 4, 'a') + ".wav";
  for (const std::string& output : {std::string("-x.wav"), longest, std::string("link.wav")}) {
    const ToolRun run =
        runTool({"--plugin", LUMIVANE_PLUGIN_PATH, "render", "in.wav", "--param", "Filter=Bypass", "--", output},
                folder.path(""));
    ASSERT_EQ(run.status, 0) << output << ": " << run.err;
  }
  EXPECT_EQ(folder.entries(), (std::vector<std::string>{"-x.wav", longest, "in.wav", "link.wav", "old.wav"}));
  EXPECT_TRUE(fs::is_symlink(folder.path("link.wav")));
  EXPECT_EQ(readAudioFile(folder.path("old.wav")).samples.size(), 2u * (1000 + 1024));
  EXPECT_EQ(fs::status(folder.path("old.wav")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
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

TEST(LumivaneHostCommand, MixesTheBuiltInSignalDownForAPluginWithOneInput) {
  ScratchFolder folder;
  const ToolRun run = runTool({"--plugin", MONO_PLUGIN_PATH, "render", folder.path("out.wav"), "--seconds", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Rendered the built-in signal (mixed down to mono)"), std::string::npos) << run.out;
  const AudioFileContents out = readAudioFile(folder.path("out.wav"));
  EXPECT_EQ(out.channels, 1);
  EXPECT_EQ(out.samples.size(), 44100u + 1024u);
  double energy = 0.0;
  for (float sample : out.samples) energy += double(sample) * sample;
  EXPECT_GT(energy, 1.0);
}

TEST(LumivaneHostCommand, WritesNonFiniteOutputAsZeroInEveryFormatAndCountsItOnce) {
  const float infinity = std::numeric_limits<float>::infinity();
  const std::vector<float> input = {0.5f, std::nanf(""), infinity, -infinity, 0.25f};
  for (const char* name : {"out.flac", "out.wav"}) {
    ScratchFolder folder;
    writeAudioFile(folder.path("in.wav"), 1, kRate, input);
    const ToolRun run = runTool({"--plugin", MONO_PLUGIN_PATH, "render", folder.path("in.wav"), folder.path(name)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "lumivane-host: warning: 3 output samples were not finite (NaN or infinity), written as 0 in " +
                           folder.path(name) + "\n");
    const AudioFileContents out = readAudioFile(folder.path(name));
    ASSERT_EQ(out.samples.size(), input.size() + 1024u) << name;
    EXPECT_NEAR(out.samples[0], 0.5f, 1e-6f) << name;
    EXPECT_EQ(out.samples[1], 0.0f) << name;
    EXPECT_EQ(out.samples[2], 0.0f) << name;
    EXPECT_EQ(out.samples[3], 0.0f) << name;
    EXPECT_NEAR(out.samples[4], 0.25f, 1e-6f) << name;
  }
}
