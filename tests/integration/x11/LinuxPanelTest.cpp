// What only Linux hosts do with the panel: hand over an X11 window id, run
// without a display, destroy their own window first, and let the panel take
// the keyboard when it is clicked.

// GoogleTest first: Xlib's macros (None, Bool) would rename its types.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "engine/ParameterIndex.h"
#include "gui/GuiKeyStroke.h"
#include "tests/gui/GuiTestSupport.h"
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

// Errors that reach the handler the host had installed: none may.
int hostErrors = 0;
int countHostError(Display*, XErrorEvent*) {
  ++hostErrors;
  return 0;
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
    XSync(testDisplay(), False);
    EXPECT_EQ(hostErrors, 0);
    XSetErrorHandler(previousHandler);
  }
  VstIntPtr open(GuiNativeWindow parent) { return host.dispatch(effEditOpen, 0, 0, parent); }

  StandInHost host{plugin().entry()};
  HostWindow window{kHostX, kHostY};
  XErrorHandler previousHandler = nullptr;
};

}  // namespace

TEST_F(LinuxPanel, WithoutADisplayOpenAnswersZeroAndEverythingElseWorks) {
  for (const char* display : {static_cast<const char*>(nullptr), ":4093"}) {
    const std::string real = std::getenv("DISPLAY");
    if (display) {
      setenv("DISPLAY", display, 1);
    } else {
      unsetenv("DISPLAY");
    }
    EXPECT_EQ(open(window.handle()), 0);
    setenv("DISPLAY", real.c_str(), 1);
    EXPECT_EQ(window.childCount(), 0);
    host.dispatch(effEditIdle);
    EXPECT_EQ(host.dispatch(effEditKeyDown, 0, VirtualKeyRight), -1);
    host.setParameter(kTempo, 0.25f);
    EXPECT_FLOAT_EQ(host.getParameter(kTempo), 0.25f);
    host.dispatch(effEditClose);
  }
  EXPECT_EQ(open(window.handle()), 1);
}

TEST_F(LinuxPanel, AParentThatNamesNoWindowAnswersZeroAndTheHostLivesOn) {
  GuiNativeWindow gone;
  {
    HostWindow closed(kHostX, kHostY);
    gone = closed.handle();
  }
  EXPECT_EQ(open(gone), 0);
  EXPECT_EQ(open(nativeWindow(0x3FFFFFF)), 0);
  host.dispatch(effEditIdle);
  host.dispatch(effEditClose);
  EXPECT_EQ(open(window.handle()), 1);
}

TEST_F(LinuxPanel, AHostThatDestroysItsWindowFirstLeavesNothingBehind) {
  for (bool idleBetween : {true, false}) {
    SCOPED_TRACE(idleBetween);
    HostWindow doomed(kHostX, kHostY);
    ASSERT_EQ(open(doomed.handle()), 1);
    host.dispatch(effEditIdle);
    doomed.destroy();
    if (idleBetween) host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
  }
  ASSERT_EQ(open(window.handle()), 1);
  host.dispatch(effEditIdle);
  EXPECT_EQ(window.childCount(), 1);
}

TEST_F(LinuxPanel, AClickGivesThePanelTheKeyboardAndTypedArrowsStepTheControlClicked) {
  ASSERT_EQ(open(window.handle()), 1);
  host.dispatch(effEditIdle);
  host.setParameter(kFilterMode, 0.5f);
  movePointer({kHostX + kModeKnob.x, kHostY + kModeKnob.y});
  setLeftButton(true);
  {
    // The knob tracks the press inside the idle call until the button comes up.
    std::thread hand([] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      setLeftButton(false);
    });
    host.dispatch(effEditIdle);
    hand.join();
  }
  for (KeySym arrow : {XK_Right, XK_Up}) {
    setKey(arrow, true);
    setKey(arrow, false);
  }
  host.dispatch(effEditIdle);
  EXPECT_FLOAT_EQ(host.getParameter(kFilterMode), 0.7f);
  // Shift makes the step fine, as with the host's key opcodes.
  ASSERT_TRUE(setModifier(TestModifier::Shift, true));
  setKey(XK_Left, true);
  setKey(XK_Left, false);
  ASSERT_TRUE(setModifier(TestModifier::Shift, false));
  host.dispatch(effEditIdle);
  EXPECT_FLOAT_EQ(host.getParameter(kFilterMode), 0.69f);
}
