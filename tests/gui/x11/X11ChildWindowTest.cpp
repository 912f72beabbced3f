// GoogleTest first: Xlib's macros (None, Bool) would rename its types.
#include <gtest/gtest.h>

#include "gui/x11/X11ChildWindow.h"

#include <dlfcn.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "gui/x11/X11Pointer.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/x11/X11TestSupport.h"

namespace {

struct RecordingListener : X11ChildWindow::Listener {
  std::vector<GuiRect> exposures;
  std::vector<GuiPoint> presses;
  std::vector<unsigned> buttons;
  int destroyed = 0;

  void onExpose(const GuiRect& area) override { exposures.push_back(area); }
  void onButtonPress(const XButtonEvent& press) override {
    presses.push_back({press.x, press.y});
    buttons.push_back(press.button);
  }
  void onDestroyed() override { ++destroyed; }
};

// Errors that reach the handler found before ours, as a host's own would.
int foreignErrors = 0;
int countForeignError(Display*, XErrorEvent*) {
  ++foreignErrors;
  return 0;
}

class HostErrorHandler {
public:
  HostErrorHandler() : previous(XSetErrorHandler(&countForeignError)) { foreignErrors = 0; }
  ~HostErrorHandler() { XSetErrorHandler(previous); }
  int errors() const { return foreignErrors; }

private:
  XErrorHandler previous;
};

class DisplayVariable {
public:
  explicit DisplayVariable(const char* value) {
    if (const char* current = std::getenv("DISPLAY")) saved = current;
    if (value) {
      setenv("DISPLAY", value, 1);
    } else {
      unsetenv("DISPLAY");
    }
  }
  ~DisplayVariable() { setenv("DISPLAY", saved.c_str(), 1); }

private:
  std::string saved;
};

constexpr int kHostX = 100;
constexpr int kHostY = 100;

// What another thread does the moment one of our connections has closed its
// display, before the closing code goes on; set by a test, run once.
std::function<void()> whenADisplayCloses;

}  // namespace

// The test program's own XCloseDisplay, which the back end linked into it
// calls: Xlib's, then the test's other thread.
extern "C" int XCloseDisplay(Display* display) {
  static const auto xlibClose = reinterpret_cast<int (*)(Display*)>(dlsym(RTLD_NEXT, "XCloseDisplay"));
  const int result = xlibClose(display);
  if (whenADisplayCloses) std::exchange(whenADisplayCloses, nullptr)();
  return result;
}

TEST(X11ChildWindow, NoWindowWithoutAReachableDisplay) {
  HostWindow host(kHostX, kHostY);
  RecordingListener listener;
  for (const char* display : {static_cast<const char*>(nullptr), "", ":4093"}) {
    DisplayVariable variable(display);
    EXPECT_EQ(X11Connection::open(), nullptr);
    EXPECT_EQ(X11ChildWindow::create(windowId(host.handle()), 150, 272, listener), nullptr);
  }
}

TEST(X11ChildWindow, AParentThatNamesNoWindowGivesNoWindowAndNoErrorReachesTheHostsHandler) {
  const HostErrorHandler hostHandler;
  RecordingListener listener;
  Window gone;
  {
    HostWindow host(kHostX, kHostY);
    gone = windowId(host.handle());
  }
  EXPECT_EQ(X11ChildWindow::create(gone, 150, 272, listener), nullptr);
  EXPECT_EQ(X11ChildWindow::create(0x3FFFFFF, 150, 272, listener), nullptr);
  EXPECT_EQ(hostHandler.errors(), 0);
  {
    // While ours is installed, errors of other connections still reach the host's handler.
    HostWindow host(kHostX, kHostY);
    auto child = X11ChildWindow::create(windowId(host.handle()), 150, 272, listener);
    ASSERT_NE(child, nullptr);
    XDestroyWindow(testDisplay(), gone);
    XSync(testDisplay(), False);
    EXPECT_EQ(hostHandler.errors(), 1);
    // Errors of our connection stay ours on whichever thread reads them.
    std::thread([&] {
      XDestroyWindow(child->display(), gone);
      XSync(child->display(), False);
    }).join();
    EXPECT_EQ(hostHandler.errors(), 1);
  }
  EXPECT_EQ(XSetErrorHandler(&countForeignError), &countForeignError);
}

TEST(X11ChildWindow, ExposuresAndPressesReachTheListener) {
  HostWindow host(kHostX, kHostY);
  RecordingListener listener;
  auto child = X11ChildWindow::create(windowId(host.handle()), 150, 272, listener);
  ASSERT_NE(child, nullptr);
  child->processPendingEvents();
  ASSERT_EQ(listener.exposures.size(), 1u);
  EXPECT_EQ(listener.exposures[0].right, 150);
  EXPECT_EQ(listener.exposures[0].bottom, 272);
  const GuiPoint origin = windowScreenOrigin(child->display(), child->id());
  EXPECT_EQ(origin.x, kHostX);
  EXPECT_EQ(origin.y, kHostY);

  movePointer({kHostX + 10, kHostY + 20});
  setButton(3, true);
  setButton(3, false);
  child->processPendingEvents();
  ASSERT_EQ(listener.presses.size(), 1u);
  EXPECT_EQ(listener.presses[0].x, 10);
  EXPECT_EQ(listener.presses[0].y, 20);
  EXPECT_EQ(listener.buttons[0], 3u);

  // Asked through the window's connection, or through one of its own.
  for (Display* display : {child->display(), static_cast<Display*>(nullptr)}) {
    X11PointerState pointer;
    ASSERT_TRUE(setModifier(TestModifier::Shift, true));
    setLeftButton(true);
    EXPECT_TRUE(queryPointer(display, pointer));
    setLeftButton(false);
    ASSERT_TRUE(setModifier(TestModifier::Shift, false));
    EXPECT_EQ(pointer.onScreen.x, kHostX + 10);
    EXPECT_EQ(pointer.onScreen.y, kHostY + 20);
    EXPECT_EQ(pointer.buttons, 1 + 8);
  }
}

TEST(X11ChildWindow, AHostThatDestroysItsWindowFirstLeavesNothingBehind) {
  const HostErrorHandler hostHandler;
  for (bool seen : {true, false}) {
    SCOPED_TRACE(seen);
    // The host window's own end below fails once it is gone; that error is the test's.
    const int before = hostHandler.errors();
    HostWindow host(kHostX, kHostY);
    RecordingListener listener;
    auto child = X11ChildWindow::create(windowId(host.handle()), 150, 272, listener);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(X11ChildWindow::find(child->id()), child.get());
    XDestroyWindow(testDisplay(), windowId(host.handle()));
    XSync(testDisplay(), False);
    if (seen) {
      child->processPendingEvents();
      EXPECT_EQ(listener.destroyed, 1);
      EXPECT_FALSE(child->exists());
      child->processPendingEvents();
      EXPECT_EQ(listener.destroyed, 1);
    }
    const Window id = child->id();
    child.reset();
    EXPECT_EQ(X11ChildWindow::find(id), nullptr);
    EXPECT_EQ(hostHandler.errors(), before);
  }
}

TEST(X11Connection, ConnectionsOpenedAsOneClosesGetEverySlotAndKeepTheirOwnErrors) {
  const HostErrorHandler hostHandler;
  auto closing = X11Connection::open();
  ASSERT_NE(closing, nullptr);
  // Once its display is closed, its address is free for the next one opened.
  std::vector<std::unique_ptr<X11Connection>> opened;
  int failuresSeen = 0;
  whenADisplayCloses = [&] {
    while (auto connection = X11Connection::open()) {
      XMapWindow(connection->display(), 0x3FFFFFF);
      failuresSeen += !connection->syncAndCheck();
      opened.push_back(std::move(connection));
    }
  };
  closing.reset();
  ASSERT_FALSE(whenADisplayCloses);
  EXPECT_EQ(opened.size(), static_cast<std::size_t>(X11Connection::kMaximumConnections));
  EXPECT_EQ(failuresSeen, static_cast<int>(opened.size()));
  EXPECT_EQ(hostHandler.errors(), 0);
}
