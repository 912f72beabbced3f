// A minute of a restless user on the open panel: random real pointer moves,
// presses, drags, wheel turns and keys from the display's own input tool,
// while the audio thread processes and another thread automates.

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "tests/reliability/PluginUnderTest.h"
#include "tests/reliability/ProgramStart.h"
#include "tools/standin/EditorWindow.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kSession = std::chrono::seconds(60);
// The tool takes its time over each step besides the pauses, so the session
// runs in short scripts, each leaving the buttons and keys up, until its
// minute is over.
constexpr double kScriptPauseSeconds = 1.5;
constexpr auto kScriptLimit = std::chrono::seconds(30);
constexpr char kDoneMarker[] = "random-input.done";
constexpr int kDragMargin = 20;  // drags may leave the panel

struct PanelArea {
  int left, top, width, height;
};

// The input tool's scripts, as chained commands of one command line: steps of
// a user, each followed by a pause, until the pauses add up to the script's
// length; at the end it leaves a marker.
class ScriptWriter {
public:
  ScriptWriter(PanelArea panelArea, unsigned seed) : panel(panelArea), random(seed) {}

  std::string write() {
    text.clear();
    plannedSeconds = 0.0;
    while (plannedSeconds < kScriptPauseSeconds) {
      switch (random() % 8) {
        case 0: line("click 1"); break;
        case 1: line(random() % 2 ? "click 4" : "click 5"); break;  // the wheel
        case 2: line(pick({"key Left", "key Right", "key Up", "key Down", "key space"})); break;
        case 3:
        case 4: drag(); break;
        case 5: {
          const char* modifier = pick({"Shift_L", "Control_L", "Alt_L"});
          line(std::string("keydown ") + modifier);
          if (random() % 2)
            drag();
          else
            line("click 1");
          line(std::string("keyup ") + modifier);
          break;
        }
        default: moveTo(0); break;
      }
    }
    return "/usr/bin/xdotool " + text + "exec touch " + kDoneMarker;
  }

private:
  void line(const std::string& command) {
    const double pause = 0.01 + static_cast<double>(random() % 80) / 1000.0;
    plannedSeconds += pause;
    char sleep[32];
    std::snprintf(sleep, sizeof sleep, " sleep %.3f ", pause);
    text += command + sleep;
  }
  void moveTo(int margin) {
    const int x = panel.left - margin + static_cast<int>(random() % (panel.width + 2 * margin));
    const int y = panel.top - margin + static_cast<int>(random() % (panel.height + 2 * margin));
    line("mousemove " + std::to_string(x) + " " + std::to_string(y));
  }
  void drag() {
    moveTo(0);
    line("mousedown 1");
    for (int step = 0, steps = 2 + static_cast<int>(random() % 8); step < steps; ++step) moveTo(kDragMargin);
    line("mouseup 1");
  }
  const char* pick(std::initializer_list<const char*> choices) { return choices.begin()[random() % choices.size()]; }

  PanelArea panel;
  std::minstd_rand random;
  double plannedSeconds = 0.0;
  std::string text;
};

bool exists(const char* path) { return std::ifstream(path).good(); }

// Empty when every begin of an edit is followed by its end before the next begin.
std::string unpairedEdits(const std::vector<HostCall>& calls, int& edits) {
  std::array<bool, kParameterCount> editing{};
  for (const HostCall& call : calls) {
    const bool begin = call.opcode == audioMasterBeginEdit;
    if (!begin && call.opcode != audioMasterEndEdit) continue;
    if (call.index < 0 || call.index >= kParameterCount) return "edit of parameter " + std::to_string(call.index);
    if (editing[call.index] == begin)
      return (begin ? "second begin of parameter " : "end without begin of parameter ") + std::to_string(call.index);
    editing[call.index] = begin;
    edits += begin ? 1 : 0;
  }
  for (int index = 0; index < kParameterCount; ++index)
    if (editing[index]) return "no end of the edit of parameter " + std::to_string(index);
  return "";
}
}  // namespace

TEST(RandomInputSession, AMinuteOfRandomInputKeepsParametersInRangeAndEditsPaired) {
  RunningPlugin plugin;
  if ((plugin.effect->flags & effFlagsHasEditor) == 0) GTEST_SKIP() << "this build has no editor";
  EditorWindow window(plugin.host, 40, 40);
  ASSERT_TRUE(window.isOpen());
  ERect* rect = nullptr;
  plugin.host.dispatch(effEditGetRect, 0, 0, &rect);
  ASSERT_NE(rect, nullptr);
  const ScreenPoint origin = window.panelScreenOrigin();
  ScriptWriter scripts({origin.x, origin.y, rect->right - rect->left, rect->bottom - rect->top}, 80);

  std::atomic<bool> running{true};
  std::atomic<bool> finite{true};
  std::thread audio([&] {
    std::minstd_rand random(81);
    StereoBuffers buffers(256);
    for (long block = 0; running.load(std::memory_order_relaxed); ++block) {
      buffers.fillInputWithNoise(random, 0.5f);
      plugin.process(buffers, 256, plugin.canReplace() && block % 2 == 1);
      if (!allFinite(buffers.outputs[0], 256) || !allFinite(buffers.outputs[1], 256)) finite = false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  std::thread automation([&] {
    std::minstd_rand random(82);
    for (long write = 0; running.load(std::memory_order_relaxed); ++write) {
      plugin.host.setParameter(static_cast<VstInt32>(random() % kParameterCount),
                               static_cast<float>(random() % 1001) / 1000.0f);
      if (write % 200 == 199) plugin.host.dispatch(effSetProgram, 0, static_cast<VstIntPtr>(random() % kProgramCount));
      std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
  });

  float lowest = 1.0f, highest = 0.0f;
  bool started = true;
  bool finished = true;
  const Clock::time_point end = Clock::now() + kSession;
  while (finished && Clock::now() < end) {
    std::remove(kDoneMarker);
    if (!(started = startProgram(scripts.write()))) break;
    const Clock::time_point limit = Clock::now() + kScriptLimit;
    while (!(finished = exists(kDoneMarker)) && Clock::now() < limit) {
      window.pumpAndIdle();
      for (VstInt32 index = 0; index < kParameterCount; ++index) {
        const float value = plugin.host.getParameter(index);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  running = false;
  audio.join();
  automation.join();

  EXPECT_TRUE(started) << "the input tool could not be started";
  EXPECT_TRUE(finished) << "the input tool did not finish a script in time";
  EXPECT_TRUE(finite.load());
  EXPECT_GE(lowest, 0.0f);
  EXPECT_LE(highest, 1.0f);
  int edits = 0;
  const std::vector<HostCall> calls = plugin.host.calls();
  EXPECT_EQ(unpairedEdits(calls, edits), "");
  EXPECT_GT(edits, 0) << "no drag reached a control";
  for (const HostCall& call : calls) {
    if (call.opcode != audioMasterAutomate) continue;
    ASSERT_TRUE(call.opt >= 0.0f && call.opt <= 1.0f) << call.opt;
  }
}
