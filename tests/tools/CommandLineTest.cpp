#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/lumivane-host/CommandLine.h"
#include "tools/lumivane-host/ToolError.h"

namespace {
struct RefusedLine {
  std::vector<std::string> arguments;
  std::string reason;
};

std::string refusal(const std::vector<std::string>& arguments) {
  try {
    parseCommandLine(arguments);
  } catch (const ToolError& error) {
    return error.what();
  }
  return "(accepted)";
}
}  // namespace

TEST(CommandLine, RenderTakesEveryOptionBeforeOrAfterItsFiles) {
  const CommandLine line = parseCommandLine({"--plugin", "/p/Other.so", "render", "--tempo", "96", "in.flac",
                                             "--beat=-4", "out.wav", "--stopped", "--program", "3", "--param",
                                             "Tempo=96", "--param=Filter=LowP 24dB", "--block", "128"});
  EXPECT_EQ(line.command, Command::Render);
  EXPECT_EQ(line.pluginPath, "/p/Other.so");
  EXPECT_EQ(line.render.inputPath, "in.flac");
  EXPECT_EQ(line.render.outputPath, "out.wav");
  EXPECT_EQ(line.render.tempo, 96.0);
  EXPECT_EQ(line.render.beat, -4.0);
  EXPECT_FALSE(line.render.playing);
  EXPECT_EQ(line.render.program, 3);
  EXPECT_EQ(line.render.parameterAssignments, (std::vector<std::string>{"Tempo=96", "Filter=LowP 24dB"}));
  EXPECT_EQ(line.render.blockSize, 128);
}

TEST(CommandLine, RenderWithOneFileUsesTheBuiltInSignal) {
  const CommandLine line = parseCommandLine({"render", "out.wav", "--seconds", "2.5", "--rate", "48000"});
  EXPECT_FALSE(line.render.inputPath.has_value());
  EXPECT_EQ(line.render.outputPath, "out.wav");
  EXPECT_EQ(line.render.seconds, 2.5);
  EXPECT_EQ(line.render.sampleRate, 48000);
}

TEST(CommandLine, TheFirstOfHelpAndVersionWinsOverEverythingElse) {
  EXPECT_EQ(parseCommandLine({"render", "--bogus", "--help"}).command, Command::Help);
  EXPECT_EQ(parseCommandLine({"-h"}).command, Command::Help);
  EXPECT_EQ(parseCommandLine({"info", "--tempo", "--version"}).command, Command::Version);
  EXPECT_EQ(parseCommandLine({"--version", "--help"}).command, Command::Version);
  EXPECT_EQ(parseCommandLine({"--help", "--version"}).command, Command::Help);
}

TEST(CommandLine, DoubleDashEndsTheOptionsAndAnOptionsValueIsNoRequestForHelp) {
  struct Accepted {
    std::vector<std::string> arguments;
    Command command;
    std::string outputPath;
    std::string pluginPath;
  };
  const Accepted cases[] = {
      {{"render", "--", "-x.wav"}, Command::Render, "-x.wav", ""},
      {{"render", "--tempo", "90", "--", "--help"}, Command::Render, "--help", ""},
      {{"--plugin", "-h", "render", "out.wav"}, Command::Render, "out.wav", "-h"},
      {{"info", "--plugin", "-h"}, Command::Info, "", "-h"},
  };
  for (const Accepted& accepted : cases) {
    const CommandLine line = parseCommandLine(accepted.arguments);
    EXPECT_EQ(line.command, accepted.command) << accepted.arguments.back();
    EXPECT_EQ(line.render.outputPath, accepted.outputPath);
    EXPECT_EQ(line.pluginPath.value_or(""), accepted.pluginPath);
  }
}

TEST(CommandLine, RefusesWhatItCannotUseWithTheReason) {
  const RefusedLine cases[] = {
      {{}, "no command given: use info or render (lumivane-host --help)"},
      {{"play"}, "unknown command \"play\": use info or render"},
      {{"render"}, "render needs an output file: lumivane-host render [IN] OUT"},
      {{"render", "a.wav", "b.wav", "c.wav"}, "render takes at most two files, IN and OUT, but got 3"},
      {{"render", "out.wav", "--tempo", "0"}, "--tempo must be above 0 beats per minute"},
      {{"render", "out.wav", "--tempo", "-120"}, "--tempo must be above 0 beats per minute"},
      {{"render", "out.wav", "--tempo", "fast"}, "--tempo needs a number, not \"fast\""},
      {{"render", "out.wav", "--tempo", "nan"}, "--tempo needs a number, not \"nan\""},
      {{"render", "out.wav", "--tempo"}, "--tempo needs a value"},
      {{"render", "out.wav", "--block", "0"}, "--block must be from 1 to 65536 samples"},
      {{"render", "out.wav", "--block", "1.5"}, "--block needs a whole number, not \"1.5\""},
      {{"render", "out.wav", "--program", "-1"}, "--program must be 0 or above"},
      {{"render", "out.wav", "--param", "Tempo"}, "--param needs NAME=VALUE, not \"Tempo\""},
      {{"render", "out.wav", "--seconds", "0"}, "--seconds must be above 0 and at most 3600"},
      {{"render", "out.wav", "--rate", "100"}, "--rate must be from 8000 to 384000 Hz"},
      {{"render", "in.wav", "out.wav", "--rate", "48000"},
       "--rate is for the built-in signal; the input file sets the sample rate"},
      {{"render", "in.wav", "out.wav", "--seconds", "3"},
       "--seconds is for the built-in signal; the input file sets the length"},
      {{"render", "out.wav", "--stopped=yes"}, "--stopped takes no value"},
      {{"render", "out.wav", "--loud"}, "unknown option --loud (lumivane-host --help lists them)"},
      {{"info", "extra.wav"}, "info takes no file, but got \"extra.wav\""},
      {{"info", "--tempo", "90"}, "--tempo belongs to render, not info"},
      {{"info", "--plugin"}, "--plugin needs a value"},
      {{"render", "out.wav", "--beat", "-h"}, "--beat needs a number, not \"-h\""},
      {{"render", "in.wav", "--", "out.wav", "--stopped"}, "render takes at most two files, IN and OUT, but got 3"},
  };
  for (const RefusedLine& refused : cases) {
    std::string line;
    for (const std::string& argument : refused.arguments) line += argument + " ";
    EXPECT_EQ(refusal(refused.arguments), refused.reason) << line;
  }
}
