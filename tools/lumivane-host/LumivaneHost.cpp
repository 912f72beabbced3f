#include "tools/lumivane-host/LumivaneHost.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <new>

#include "tools/lumivane-host/AudioFileReader.h"
#include "tools/lumivane-host/AudioFileWriter.h"
#include "tools/lumivane-host/CommandLine.h"
#include "tools/lumivane-host/HostedPlugin.h"
#include "tools/lumivane-host/InfoReport.h"
#include "tools/lumivane-host/OutputTarget.h"
#include "tools/lumivane-host/ParameterResolver.h"
#include "tools/lumivane-host/PluginLocation.h"
#include "tools/lumivane-host/ProgressBar.h"
#include "tools/lumivane-host/Renderer.h"
#include "tools/lumivane-host/TestSignal.h"
#include "tools/lumivane-host/ToolError.h"

namespace {
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;
// Renders shorter than this finish before a progress bar would be worth drawing.
constexpr double kProgressBarSeconds = 60.0;

volatile std::sig_atomic_t interrupted = 0;
extern "C" void onInterrupt(int) { interrupted = 1; }

// Ctrl-C ends the render between two blocks, so the temporary file is removed.
class InterruptGuard {
public:
  InterruptGuard() {
    previousInterrupt = std::signal(SIGINT, onInterrupt);
    previousTerminate = std::signal(SIGTERM, onInterrupt);
  }
  ~InterruptGuard() {
    std::signal(SIGINT, previousInterrupt);
    std::signal(SIGTERM, previousTerminate);
  }
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
  void (*previousInterrupt)(int);
  void (*previousTerminate)(int);
};

std::string oneLine(std::string message) {
  for (char& c : message)
    if (c == '\n' || c == '\r') c = ' ';
  while (!message.empty() && message.back() == ' ') message.pop_back();
  return message;
}

std::string formatSeconds(std::int64_t frames, int rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(frames) / rate);
  return text;
}

void selectProgram(StandInHost& host, int program) {
  const VstInt32 programs = host.effect()->numPrograms;
  if (program >= programs)
    throw ToolError("--program " + std::to_string(program) + " does not exist: the plug-in has " +
                    std::to_string(programs) + " programs" +
                    (programs > 0 ? " (0 to " + std::to_string(programs - 1) + ")" : ""));
  host.dispatch(effBeginSetProgram);
  host.dispatch(effSetProgram, 0, program);
  host.dispatch(effEndSetProgram);
  std::cout << "Program " << program << ": " << host.text(effGetProgramName) << '\n';
}

void setParameters(StandInHost& host, const std::vector<std::string>& assignments) {
  if (assignments.empty()) return;
  ParameterResolver resolver(host);
  for (const std::string& assignment : assignments) {
    const ResolvedParameter resolved = resolver.resolve(assignment);
    host.setParameter(resolved.index, resolved.value);
    std::printf("Parameter %d %s = %s (normalised %.6f)\n", resolved.index,
                host.text(effGetParamName, resolved.index).c_str(), resolved.display.c_str(),
                static_cast<double>(resolved.value));
  }
  std::fflush(stdout);
}

void render(const std::string& pluginPath, const RenderOptions& options) {
  // Refuse an unknown output format, a missing input and an output that may
  // not be replaced before the plug-in is even loaded.
  AudioFileWriter::formatFor(options.outputPath);
  std::unique_ptr<AudioSource> source;
  if (options.inputPath) source = std::make_unique<AudioFileReader>(*options.inputPath);
  outputTarget(options.outputPath, options.inputPath);

  HostedPlugin plugin(pluginPath);
  StandInHost& host = plugin.host();
  const int outputs = plugin.effect().numOutputs;
  if (outputs < 1) throw ToolError("plug-in " + pluginPath + " has no outputs to render");
  // A mono source feeds every input, any other goes channel by channel: a
  // channel without an input would be dropped without a word. The built-in
  // signal is mixed down for a plug-in with one input.
  const int inputs = plugin.effect().numInputs;
  if (!source)
    source = std::make_unique<TestSignal>(options.sampleRate, options.tempo, options.seconds, inputs < 2 ? 1 : 2);
  const std::string sourceName = options.inputPath ? *options.inputPath : "the built-in signal";
  if (source->channelCount() > 1 && source->channelCount() > inputs)
    throw ToolError("input " + sourceName + " has " + std::to_string(source->channelCount()) +
                    " channels; the plug-in takes mono or up to " + std::to_string(inputs));

  Renderer renderer(host, source->sampleRate(), options.blockSize);
  if (options.program) selectProgram(host, *options.program);
  setParameters(host, options.parameterAssignments);

  const std::int64_t tail = renderer.tailFrames();
  AudioFileWriter writer(options.outputPath, outputs, source->sampleRate(), source->frameCount() + tail);
  ProgressBar bar(stderr, static_cast<std::int64_t>(kProgressBarSeconds * source->sampleRate()),
                  source->frameCount() + tail);
  InterruptGuard interruptGuard;
  std::int64_t rendered = 0;
  const std::int64_t notFinite =
      renderer.render(*source, writer, TransportSettings{options.tempo, options.beat, options.playing},
                      [&](std::int64_t done, std::int64_t total) {
                        if (interrupted) throw ToolError("interrupted; " + options.outputPath + " not written");
                        bar.update(done, total);
                        rendered = done;
                      });
  writer.finish();
  const std::string effectName = host.text(effGetEffectName);
  std::cout << "Rendered " << sourceName
            << (source->channelCount() == 1 && !options.inputPath ? " (mixed down to mono)" : "") << " through "
            << (effectName.empty() ? pluginPath : effectName) << " into " << options.outputPath << ": " << rendered
            << " frames (" << formatSeconds(rendered, source->sampleRate()) << ", of which " << tail << " tail) in "
            << outputs << " channels at " << source->sampleRate() << " Hz\n";
  if (notFinite > 0) {
    std::cout.flush();
    std::cerr << "lumivane-host: warning: " << notFinite << " output "
              << (notFinite == 1 ? "sample was" : "samples were") << " not finite (NaN or infinity), written as 0 in "
              << options.outputPath << '\n';
  }
}

int run(const CommandLine& line) {
  if (line.command == Command::Help) {
    std::cout << kUsage;
    return 0;
  }
  if (line.command == Command::Version) {
    std::cout << "lumivane-host " LUMIVANE_VERSION "\n";
    return 0;
  }
  const std::string pluginPath = line.pluginPath ? *line.pluginPath : defaultPluginPath();
  if (line.command == Command::Info) {
    HostedPlugin plugin(pluginPath);
    writeInfoReport(plugin.host(), pluginPath, std::cout);
    return 0;
  }
  render(pluginPath, line.render);
  return 0;
}

int fail(int status, const std::string& message) {
  std::cout.flush();
  std::cerr << "lumivane-host: " << oneLine(message) << '\n';
  return status;
}
}  // namespace

int runLumivaneHost(const std::vector<std::string>& arguments) {
  CommandLine line;
  try {
    line = parseCommandLine(arguments);
  } catch (const ToolError& error) {
    return fail(kBadCommandLine, error.what());
  }
  try {
    return run(line);
  } catch (const ToolError& error) {
    return fail(kFailed, error.what());
  } catch (const std::bad_alloc&) {
    return fail(kFailed, "out of memory");
  } catch (const std::exception& error) {
    return fail(kFailed, std::string("unexpected failure: ") + error.what());
  }
}
