#pragma once
// The command line of lumivane-host, parsed and checked before anything is loaded.

#include <optional>
#include <string>
#include <vector>

enum class Command { Help, Version, Info, Render };

struct RenderOptions {
  std::optional<std::string> inputPath;  // none: the built-in test signal
  std::string outputPath;
  double tempo = 120.0;
  double beat = 0.0;
  bool playing = true;
  std::optional<int> program;
  std::vector<std::string> parameterAssignments;  // NAME_OR_INDEX=VALUE, in the order given
  int blockSize = 512;
  double seconds = 8.0;
  int sampleRate = 44100;
};

struct CommandLine {
  Command command = Command::Help;
  std::optional<std::string> pluginPath;  // none: the default plug-in
  RenderOptions render;
};

// Throws ToolError with a one-line reason for anything it cannot accept.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;
