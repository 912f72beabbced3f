// What only Linux hosts do with the panel: hand over an X11 window id, run
// without a display, destroy their own window first, keep the keyboard when
// the panel is clicked, and share Xlib's one error handler with the panel and
// with other libraries in the process.

// GoogleTest first: Xlib's macros (None, Bool) would rename its types.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo.h>
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/ParameterIndex.h"
#include "gui/GuiKeyStroke.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/x11/X11TestSupport.h"
#include "tools/standin/EditorWindow.h"
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

// The size of the image in the window's format that cairo is to refuse once,
// as when its allocation is refused; none while 0.
int refusedWidth = 0;
int refusedHeight = 0;

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

// The test program's own cairo_image_surface_create, which the plug-in finds
// before cairo's.
extern "C" cairo_surface_t* cairo_image_surface_create(cairo_format_t format, int width, int height) {
  using Create = cairo_surface_t* (*)(cairo_format_t, int, int);
  static const auto cairoCreate = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "cairo_image_surface_create"));
  if (format == CAIRO_FORMAT_RGB24 && width == refusedWidth && height == refusedHeight) {
    refusedWidth = refusedHeight = 0;
    // Cairo's answer to an image it cannot make: one in error, without pixels.
    return cairoCreate(format, -1, -1);
  }
  return cairoCreate(format, width, height);
}

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

TEST_F(LinuxPanel, InAHostWindowWithAnAlphaChannelThePanelIsOpaque) {
  // Compositing hosts may give their windows a 32-bit visual; the panel's
  // window takes its parent's.
  Display* display = testDisplay();
  XVisualInfo visual{};
  ASSERT_TRUE(XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &visual));
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.colormap = XCreateColormap(display, DefaultRootWindow(display), visual.visual, AllocNone);
  const Window parent =
      XCreateWindow(display, DefaultRootWindow(display), kHostX, kHostY, 150, 272, 0, 32, InputOutput, visual.visual,
                    CWOverrideRedirect | CWColormap | CWBorderPixel | CWBackPixel, &attributes);
  XMapRaised(display, parent);
  XSync(display, False);
  ASSERT_EQ(open(nativeWindow(parent)), 1);
  host.dispatch(effEditIdle);
  XImage* shown = XGetImage(display, parent, 148, 120, 1, 1, AllPlanes, ZPixmap);
  ASSERT_NE(shown, nullptr);
  // The panel's grey where no control stands, with the alpha bits all set.
  EXPECT_EQ(XGetPixel(shown, 0, 0), 0xFFB0B0B0ul);
  XDestroyImage(shown);
  host.dispatch(effEditClose);
  XDestroyWindow(display, parent);
  XFreeColormap(display, attributes.colormap);
}

TEST_F(LinuxPanel, AWindowImageThatCairoCannotMakeAnswersZeroAndLeavesNothingBehind) {
  ERect* rect = nullptr;
  ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
  refusedWidth = rect->right - rect->left;
  refusedHeight = rect->bottom - rect->top;
  EXPECT_EQ(open(window.handle()), 0);
  ASSERT_EQ(refusedWidth, 0);
  host.dispatch(effEditIdle);
  EXPECT_EQ(window.childCount(), 0);
  host.dispatch(effEditClose);
  ASSERT_EQ(open(window.handle()), 1);
  host.dispatch(effEditIdle);
  EXPECT_EQ(window.childCount(), 1);
}

// Desktops announce HiDPI screens through the display's Xft.dpi resource: a
// host that sends no factor gets the panel at that scale, sized before it
// opens (or, when the desktop changed since it was last read, resized as it
// opens); LUMIVANE_SCALE overrides the desktop, and the host's factor both.
TEST(LinuxPanelScale, TheDisplaysXftDpiScalesThePanelWithoutAHostMessage) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  const Window root = DefaultRootWindow(display);
  struct Case {
    const char* resources;
    const char* environment;
    float hostFactor;  // 0: none sent
    int width, height;
  };
  const Case cases[] = {{"Xft.dpi:\t192\n", nullptr, 0.0f, 300, 544},
                        {"Xft.dpi:\t144\n", nullptr, 0.0f, 225, 408},
                        {"Xft.antialias:\t1\n", nullptr, 0.0f, 150, 272},
                        {"Xft.dpi:\t192\n", "1.5", 0.0f, 225, 408},
                        {"Xft.dpi:\t192\n", "1.5", 1.0f, 150, 272}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.resources) + (c.environment ? c.environment : ""));
    XChangeProperty(display, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(c.resources), static_cast<int>(std::strlen(c.resources)));
    XSync(display, False);
    if (c.environment) setenv("LUMIVANE_SCALE", c.environment, 1);
    StandInHost host{plugin().entry()};
    ASSERT_NE(host.open(), nullptr);
    if (c.hostFactor > 0.0f)
      host.dispatch(effVendorSpecific, kContentScaleIndex, kContentScaleValue, nullptr, c.hostFactor);
    {
      EditorWindow window(host, kHostX, kHostY);
      ASSERT_TRUE(window.isOpen());
      const PanelPixels shown = window.capture();
      EXPECT_EQ(shown.width, c.width);
      EXPECT_EQ(shown.height, c.height);
      // The host is told the size the panel opened at.
      ERect* rect = nullptr;
      host.dispatch(effEditGetRect, 0, 0, &rect);
      ASSERT_NE(rect, nullptr);
      EXPECT_EQ(rect->right, c.width);
      EXPECT_EQ(rect->bottom, c.height);
    }
    unsetenv("LUMIVANE_SCALE");
    host.close();
  }
  XDeleteProperty(display, root, XA_RESOURCE_MANAGER);
  XCloseDisplay(display);
}

// The panel never takes the keyboard, as on Windows: keys typed while the
// pointer is over it, after a click on it too, reach the host's window, and
// the host hands the editor those it may use through the key opcodes.
TEST(LinuxPanelKeys, AfterAClickOnThePanelKeysReachTheHostsWindowAndArrowsStepTheControlClicked) {
  StandInHost host(plugin().entry());
  ASSERT_NE(host.open(), nullptr);
  EditorWindow window(host, kHostX, kHostY);
  ASSERT_TRUE(window.isOpen());
  host.setParameter(kFilterMode, 0.5f);
  movePointer({kHostX + kModeKnob.x, kHostY + kModeKnob.y});
  setLeftButton(true);
  {
    // The knob tracks the press inside the idle call until the button comes up.
    std::thread hand([] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      setLeftButton(false);
    });
    window.pumpAndIdle();
    hand.join();
  }
  for (KeySym key : {XK_Right, XK_Up, XK_space}) {
    setKey(key, true);
    setKey(key, false);
  }
  window.pumpAndIdle();
  EXPECT_FLOAT_EQ(host.getParameter(kFilterMode), 0.7f);
  // The space is the host's (its transport's), answered as not taken.
  std::vector<VstIntPtr> answers;
  for (const ForwardedKey& key : window.forwardedKeys()) {
    if (key.opcode == effEditKeyDown) answers.push_back(key.answer);
  }
  EXPECT_EQ(answers, (std::vector<VstIntPtr>{1, 1, -1}));
  ASSERT_EQ(window.forwardedKeys().size(), 6u);
  EXPECT_EQ(window.forwardedKeys()[4].character, ' ');
  // Shift makes the step fine.
  ASSERT_TRUE(setModifier(TestModifier::Shift, true));
  setKey(XK_Left, true);
  setKey(XK_Left, false);
  ASSERT_TRUE(setModifier(TestModifier::Shift, false));
  window.pumpAndIdle();
  EXPECT_FLOAT_EQ(host.getParameter(kFilterMode), 0.69f);
}

namespace {

// Xlib has one error handler per process. The host's counts the errors of
// its own connection, and those of any other connection, which are the
// panel's: none may reach it.
int hostConnectionErrors = 0;
int strayErrors = 0;
int countHostErrors(Display* display, XErrorEvent*) {
  ++(display == testDisplay() ? hostConnectionErrors : strayErrors);
  return 0;
}

// Another library in the host (a toolkit, another plug-in) installs its own
// handler over the one it finds, hands that one every error it has no use
// for, and later puts it back.
XErrorHandler libraryFound = nullptr;
int libraryHandler(Display* display, XErrorEvent* error) { return libraryFound ? libraryFound(display, error) : 0; }

// A copy of the plug-in from a file of its own, as a host loads two versions:
// code and state apart from the other copy's. The host opens its panel in a
// window of its own.
class PluginCopy {
public:
  explicit PluginCopy(int number)
      : file(std::filesystem::temp_directory_path() /
             ("lumivane-copy-" + std::to_string(getpid()) + "-" + std::to_string(number) + ".so")),
        module((std::filesystem::copy_file(LUMIVANE_PLUGIN_PATH, file), file.string())),
        host(module.entry()) {
    std::filesystem::remove(file);
    host.open();
  }
  bool openPanel() {
    window = std::make_unique<HostWindow>(kHostX, kHostY);
    const bool opened = host.dispatch(effEditOpen, 0, 0, window->handle()) == 1;
    host.dispatch(effEditIdle);
    return opened;
  }
  // The host's window first, with the panel's window in it, as when a host
  // ends a session.
  void closePanel() {
    window->destroy();
    host.dispatch(effEditClose);
    window.reset();
  }

private:
  std::filesystem::path file;
  PluginModule module;
  StandInHost host;
  std::unique_ptr<HostWindow> window;
};

// Plays the steps: 'a' and 'b' open the panel of the first and the second
// copy, 'A' and 'B' close it; 'l' installs the library's handler, 'L' puts
// back the one it found. After each step, a request that fails on the host's
// connection must reach the host's handler once, and nothing else may reach
// it. Answers 0 when all held.
int play(const std::string& steps) {
  // Handlers that chain to each other in a loop never finish.
  alarm(15);
  XSetErrorHandler(&countHostErrors);
  PluginCopy copies[] = {PluginCopy(0), PluginCopy(1)};
  for (char step : steps) {
    switch (step) {
      case 'a':
      case 'b':
        if (!copies[step - 'a'].openPanel()) return 2;
        break;
      case 'A':
      case 'B': copies[step - 'A'].closePanel(); break;
      case 'l': libraryFound = XSetErrorHandler(&libraryHandler); break;
      case 'L': XSetErrorHandler(libraryFound); break;
      default: return 3;
    }
    const int before = hostConnectionErrors;
    XMapWindow(testDisplay(), 0x3FFFFFF);
    XSync(testDisplay(), False);
    if (hostConnectionErrors != before + 1 || strayErrors != 0) {
      std::fprintf(stderr, "after '%c': %d errors of the host's connection for 1, %d of others\n", step,
                   hostConnectionErrors - before, strayErrors);
      return 1;
    }
  }
  return 0;
}

}  // namespace

TEST(LinuxPanelErrors, EachErrorOfTheHostsConnectionReachesItsHandlerOnceWhateverComesAndGoes) {
  // Each sequence in a process of its own, started afresh.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const char* steps : {"alAa", "abAa", "laLA", "alLAa", "labAaLB", "ablBLAb"}) {
    SCOPED_TRACE(steps);
    EXPECT_EXIT(std::_Exit(play(steps)), ::testing::ExitedWithCode(0), "");
  }
}
