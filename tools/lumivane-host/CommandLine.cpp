#include "tools/lumivane-host/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "tools/lumivane-host/ToolError.h"

const char* const kUsage =
    "usage: lumivane-host [--plugin PATH] info\n"
    "       lumivane-host [--plugin PATH] render [IN] OUT [options]\n"
    "       lumivane-host --help | --version\n"
    "\n"
    "info     shows what a host sees of the plug-in: identity, pins, capabilities,\n"
    "         parameters and programs\n"
    "render   processes IN (WAV, FLAC, AIFF, ...; mono feeds both inputs) through the\n"
    "         plug-in into OUT (32-bit float WAV, other formats by extension) with the\n"
    "         plug-in's tail after it; without IN, a built-in test signal is rendered\n"
    "\n"
    "options of render:\n"
    "  --tempo BPM          host tempo (default 120)\n"
    "  --beat QUARTERS      transport position at the start (default 0)\n"
    "  --stopped            the transport does not play\n"
    "  --program N          program to select first\n"
    "  --param NAME=VALUE   set a parameter by name or index (repeatable); VALUE is an\n"
    "                       item or display text (\"LowP 24dB\"), a number in the\n"
    "                       parameter's unit (96, \"200 Hz\"), a normalised value with a\n"
    "                       point (0.25) or a position in percent (25%)\n"
    "  --block N            block size in samples (default 512)\n"
    "  --seconds S          length of the built-in signal (default 8)\n"
    "  --rate HZ            sample rate of the built-in signal (default 44100)\n"
    "\n"
    "Options may stand before or after the command and its files; after -- every\n"
    "argument is a file (render -- -take1.wav out.wav).\n"
    "The default plug-in is Lumivane.so next to this program, in ../lib/vst from its\n"
    "folder (where make install puts it) or in dist/linux64. See man lumivane-host.\n";

namespace {
constexpr double kLongestSignalSeconds = 3600.0;
constexpr int kLargestBlock = 65536;
constexpr int kLowestRate = 8000;
constexpr int kHighestRate = 384000;
constexpr double kHighestTempo = 999.0;

double parseNumber(const std::string& option, const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value))
    throw ToolError(option + " needs a number, not \"" + text + "\"");
  return value;
}

int parseWholeNumber(const std::string& option, const std::string& text) {
  const double value = parseNumber(option, text);
  if (value != std::floor(value) || std::fabs(value) > 1e9)
    throw ToolError(option + " needs a whole number, not \"" + text + "\"");
  return static_cast<int>(value);
}

// Walks the arguments; options may stand before or after the command and take
// their value as the next argument or after an equals sign.
class ArgumentReader {
public:
  explicit ArgumentReader(const std::vector<std::string>& commandArguments) : arguments(commandArguments) {}

  bool atEnd() const { return position >= arguments.size(); }
  std::string next() { return arguments[position++]; }

  std::string valueOf(const std::string& option, std::optional<std::string>& inlineValue) {
    if (inlineValue) return *inlineValue;
    if (atEnd()) throw ToolError(option + " needs a value");
    return next();
  }

private:
  const std::vector<std::string>& arguments;
  std::size_t position = 0;
};

void check(bool condition, const std::string& reason) {
  if (!condition) throw ToolError(reason);
}

bool isOption(const std::string& argument) { return argument.size() >= 2 && argument[0] == '-'; }

bool takesValue(const std::string& argument) {
  static const char* const kValueOptions[] = {"--plugin", "--tempo", "--beat",    "--program",
                                              "--param",  "--block", "--seconds", "--rate"};
  for (const char* option : kValueOptions)
    if (argument == option) return true;
  return false;
}

// The first of --help and --version wins over everything else, even over a
// mistake elsewhere on the line; an option's value (--plugin -h) and whatever
// follows "--" are no requests. A long option where a value should be is one:
// the value was forgotten (--tempo --help).
std::optional<Command> helpOrVersion(const std::vector<std::string>& arguments) {
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (argument == "--") break;
    if (argument == "-h" || argument == "--help") return Command::Help;
    if (argument == "--version") return Command::Version;
    if (takesValue(argument) && at + 1 < arguments.size() && arguments[at + 1].rfind("--", 0) != 0) ++at;
  }
  return std::nullopt;
}
}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  if (const std::optional<Command> request = helpOrVersion(arguments)) {
    line.command = *request;
    return line;
  }

  std::optional<std::string> commandName;
  std::vector<std::string> paths;
  bool rateGiven = false;
  bool secondsGiven = false;
  std::vector<std::string> renderOnlyOptions;
  bool optionsEnded = false;

  ArgumentReader reader(arguments);
  while (!reader.atEnd()) {
    const std::string argument = reader.next();
    if (argument == "--" && !optionsEnded) {
      optionsEnded = true;
      continue;
    }
    if (optionsEnded || !isOption(argument)) {
      if (!commandName)
        commandName = argument;
      else
        paths.push_back(argument);
      continue;
    }
    std::string option = argument;
    std::optional<std::string> inlineValue;
    const auto equals = argument.find('=');
    if (argument.rfind("--", 0) == 0 && equals != std::string::npos) {
      option = argument.substr(0, equals);
      inlineValue = argument.substr(equals + 1);
    }
    RenderOptions& render = line.render;
    if (option == "--plugin") {
      line.pluginPath = reader.valueOf(option, inlineValue);
      check(!line.pluginPath->empty(), "--plugin needs a path");
      continue;
    }
    if (option == "--stopped") {
      check(!inlineValue, "--stopped takes no value");
      render.playing = false;
    } else if (option == "--tempo") {
      render.tempo = parseNumber(option, reader.valueOf(option, inlineValue));
      check(render.tempo > 0.0, "--tempo must be above 0 beats per minute");
      check(render.tempo <= kHighestTempo, "--tempo must be at most 999 beats per minute");
    } else if (option == "--beat") {
      render.beat = parseNumber(option, reader.valueOf(option, inlineValue));
    } else if (option == "--program") {
      render.program = parseWholeNumber(option, reader.valueOf(option, inlineValue));
      check(*render.program >= 0, "--program must be 0 or above");
    } else if (option == "--param") {
      const std::string assignment = reader.valueOf(option, inlineValue);
      check(assignment.find('=') != std::string::npos, "--param needs NAME=VALUE, not \"" + assignment + "\"");
      render.parameterAssignments.push_back(assignment);
    } else if (option == "--block") {
      render.blockSize = parseWholeNumber(option, reader.valueOf(option, inlineValue));
      check(render.blockSize >= 1 && render.blockSize <= kLargestBlock,
            "--block must be from 1 to " + std::to_string(kLargestBlock) + " samples");
    } else if (option == "--seconds") {
      render.seconds = parseNumber(option, reader.valueOf(option, inlineValue));
      check(render.seconds > 0.0 && render.seconds <= kLongestSignalSeconds,
            "--seconds must be above 0 and at most 3600");
      secondsGiven = true;
    } else if (option == "--rate") {
      render.sampleRate = parseWholeNumber(option, reader.valueOf(option, inlineValue));
      check(render.sampleRate >= kLowestRate && render.sampleRate <= kHighestRate,
            "--rate must be from 8000 to 384000 Hz");
      rateGiven = true;
    } else {
      throw ToolError("unknown option " + option + " (lumivane-host --help lists them)");
    }
    renderOnlyOptions.push_back(option);
  }

  if (!commandName) throw ToolError("no command given: use info or render (lumivane-host --help)");
  if (*commandName == "info") {
    line.command = Command::Info;
    check(paths.empty(), "info takes no file, but got \"" + (paths.empty() ? "" : paths[0]) + "\"");
    check(renderOnlyOptions.empty(),
          (renderOnlyOptions.empty() ? std::string() : renderOnlyOptions[0]) + " belongs to render, not info");
  } else if (*commandName == "render") {
    line.command = Command::Render;
    check(!paths.empty(), "render needs an output file: lumivane-host render [IN] OUT");
    check(paths.size() <= 2, "render takes at most two files, IN and OUT, but got " + std::to_string(paths.size()));
    line.render.outputPath = paths.back();
    if (paths.size() == 2) {
      line.render.inputPath = paths.front();
      check(!rateGiven, "--rate is for the built-in signal; the input file sets the sample rate");
      check(!secondsGiven, "--seconds is for the built-in signal; the input file sets the length");
    }
    check(!line.render.outputPath.empty(), "the output file needs a name");
  } else {
    throw ToolError("unknown command \"" + *commandName + "\": use info or render");
  }
  return line;
}
