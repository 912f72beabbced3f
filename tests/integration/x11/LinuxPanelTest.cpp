// The Linux plug-in's panel as a Linux host embeds it: a child window in the
// host's X11 window, driven through the editor opcodes and real input on the
// virtual display.

// GoogleTest first: Xlib's macros (None, Bool) would rename its types.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/ParameterIndex.h"
#include "gui/GuiKeyStroke.h"
#include "tests/gui/x11/X11TestSupport.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

namespace {

PluginModule& plugin() {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  return module;
}

constexpr int kHostX = 100;
constexpr int kHostY = 100;
// The filter mode's knob: rectangle (6, 31, 34, 59), centre (20, 45).
constexpr GuiPoint kModeKnob{20, 45};
constexpr GuiColour kPanelGrey{176, 176, 176, 0};

void* idOf(Window window) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }

// The windows inside the host's window.
std::vector<Window> childrenOf(Window window) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  std::vector<Window> found;
  if (XQueryTree(testDisplay(), window, &root, &parent, &children, &count)) found.assign(children, children + count);
  if (children) XFree(children);
  return found;
}

int hostErrors = 0;
int countHostError(Display*, XErrorEvent*) {
  ++hostErrors;
  return 0;
}

// Input played from a thread of its own, on a connection of its own, while
// the host's thread sits in the plug-in (a drag runs inside the press).
class InputThread {
public:
  explicit InputThread(std::function<void(Display*)> script)
      : worker([this, script] {
          Display* display = XOpenDisplay(nullptr);
          script(display);
          XCloseDisplay(display);
          done = true;
        }) {}
  ~InputThread() { worker.join(); }
  bool finished() const { return done; }

private:
  std::atomic<bool> done{false};
  std::thread worker;
};

void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void fake(Display* display, std::function<void()> request) {
  request();
  XSync(display, False);
  pause(20);
}

class LinuxPanel : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(host.open(), nullptr);
    hostErrors = 0;
    previousHandler = XSetErrorHandler(&countHostError);
  }
  void TearDown() override {
    host.close();
    syncTestDisplay();
    EXPECT_EQ(hostErrors, 0);
    XSetErrorHandler(previousHandler);
  }
  VstIntPtr open(Window parent) { return host.dispatch(effEditOpen, 0, 0, idOf(parent)); }
  // The host's idle calls, for as long as the input thread plays.
  void idleWhile(const InputThread& input) {
    while (!input.finished()) {
      host.dispatch(effEditIdle);
      pause(5);
    }
    for (int i = 0; i < 5; ++i) host.dispatch(effEditIdle);
  }
  std::vector<HostCall> edits() const {
    std::vector<HostCall> found;
    for (const HostCall& call : host.calls()) {
      if (call.opcode != audioMasterIdle) found.push_back(call);
    }
    return found;
  }

  StandInHost host{plugin().entry()};
  X11HostWindow window{kHostX, kHostY};
  XErrorHandler previousHandler = nullptr;
};

}  // namespace

TEST_F(LinuxPanel, WithoutADisplayOpenAnswersZeroAndEverythingElseWorks) {
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  EXPECT_EQ(open(window.handle()), 0);
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_TRUE(childrenOf(window.handle()).empty());
  host.dispatch(effEditIdle);
  EXPECT_EQ(host.dispatch(effEditKeyDown, 0, VirtualKeyRight), -1);
  host.setParameter(kTempo, 0.25f);
  EXPECT_FLOAT_EQ(host.getParameter(kTempo), 0.25f);
  host.dispatch(effEditClose);
  EXPECT_EQ(open(window.handle()), 1);
}

TEST_F(LinuxPanel, AParentThatNamesNoWindowAnswersZeroAndTheHostLivesOn) {
  Window gone;
  {
    X11HostWindow closed(kHostX, kHostY);
    gone = closed.handle();
  }
  EXPECT_EQ(open(gone), 0);
  EXPECT_EQ(open(0x3FFFFFF), 0);
  host.dispatch(effEditIdle);
  host.dispatch(effEditClose);
  EXPECT_EQ(open(window.handle()), 1);
}

TEST_F(LinuxPanel, OpenCloseOpenLeavesOneChildWindowAndCloseLeavesNone) {
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(open(window.handle()), 1);
    host.dispatch(effEditIdle);
    syncTestDisplay();
    EXPECT_EQ(childrenOf(window.handle()).size(), 1u);
    host.dispatch(effEditClose);
    syncTestDisplay();
    EXPECT_TRUE(childrenOf(window.handle()).empty());
  }
}

TEST_F(LinuxPanel, AHostThatDestroysItsWindowFirstLeavesNothingBehind) {
  for (bool idleBetween : {true, false}) {
    X11HostWindow doomed(kHostX, kHostY);
    ASSERT_EQ(open(doomed.handle()), 1);
    host.dispatch(effEditIdle);
    doomed.destroy();
    if (idleBetween) host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
  }
  ASSERT_EQ(open(window.handle()), 1);
  host.dispatch(effEditIdle);
}

TEST_F(LinuxPanel, TheFirstPaintShowsThePanelAndAHostChangeShowsAtTheNextIdle) {
  ASSERT_EQ(open(window.handle()), 1);
  host.dispatch(effEditIdle);
  const X11Snapshot before(window.handle(), {0, 0, 150, 272});
  // The panel's grey where no control stands, the knob's corners showing it too.
  EXPECT_EQ(before.pixel(148, 120), kPanelGrey);
  EXPECT_EQ(before.pixel(6, 31), before.pixel(5, 31));
  // Resonance: its slider's handle moves along the track when the host sets it.
  host.setParameter(kResonance, 0.0f);
  host.dispatch(effEditIdle);
  const X11Snapshot low(window.handle(), {0, 0, 150, 272});
  host.setParameter(kResonance, 1.0f);
  host.dispatch(effEditIdle);
  const X11Snapshot high(window.handle(), {0, 0, 150, 272});
  int changed = 0;
  for (int x = 40; x < 110; ++x) changed += low.pixel(x, 170) != high.pixel(x, 170);
  EXPECT_GE(changed, 2 * 6);
  EXPECT_TRUE(edits().empty());
}

TEST_F(LinuxPanel, AKnobDragReportsOneEditAndKeysReachTheKnobWhileThePanelHasTheFocus) {
  ASSERT_EQ(open(window.handle()), 1);
  host.dispatch(effEditIdle);
  host.setParameter(kFilterMode, 0.0f);
  host.clearCalls();
  {
    InputThread input([](Display* display) {
      fake(display, [&] { XTestFakeMotionEvent(display, -1, kHostX + kModeKnob.x, kHostY + kModeKnob.y, 0); });
      fake(display, [&] { XTestFakeButtonEvent(display, 1, True, 0); });
      for (int step = 1; step <= 4; ++step) {
        fake(display, [&] {
          XTestFakeMotionEvent(display, -1, kHostX + kModeKnob.x + 25 * step, kHostY + kModeKnob.y, 0);
        });
      }
      fake(display, [&] { XTestFakeButtonEvent(display, 1, False, 0); });
    });
    idleWhile(input);
  }
  std::vector<HostCall> calls = edits();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
  for (std::size_t i = 1; i + 1 < calls.size(); ++i) {
    EXPECT_EQ(calls[i].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[i].index, kFilterMode);
  }
  // Linear mode: 200 pixels are the whole range.
  EXPECT_FLOAT_EQ(host.getParameter(kFilterMode), 0.5f);

  // The press gave the panel the focus: an arrow key typed now steps the dragged knob.
  host.clearCalls();
  setKey(XK_Right, true);
  setKey(XK_Right, false);
  host.dispatch(effEditIdle);
  EXPECT_FLOAT_EQ(host.getParameter(kFilterMode), 0.6f);
  // And so does the host's key opcode.
  EXPECT_EQ(host.dispatch(effEditKeyDown, 0, VirtualKeyLeft), 1);
  EXPECT_FLOAT_EQ(host.getParameter(kFilterMode), 0.5f);
}
