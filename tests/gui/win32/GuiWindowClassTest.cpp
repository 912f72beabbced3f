// The Win32 side of the frame's window: the module's window class, also
// between threads, the window's class, title, style and parent, and the
// system cursors.
#include "gui/win32/GuiWindowClass.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "gui/GuiFrame.h"
#include "gui/win32/GuiFrameWindowProc.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/RecordingView.h"

namespace {

bool classRegistered() {
  WNDCLASSA description;
  return GetClassInfoA(GetModuleHandleA(nullptr), GuiWindowClass::className(), &description) != 0;
}

HWND windowOf(const GuiFrame& frame) { return static_cast<HWND>(frame.frameWindow()); }

}  // namespace

TEST(GuiWindowClass, NameCarriesTheInstanceHandleInLowerCaseHex) {
  char name[32];
  GuiWindowClass::formatClassName(reinterpret_cast<void*>(0x00A10000), name, sizeof name);
  EXPECT_STREQ(name, "Plugin00a10000");
  GuiWindowClass::formatClassName(reinterpret_cast<void*>(0x1BEEF), name, sizeof name);
  EXPECT_STREQ(name, "Plugin0001beef");
}

TEST(GuiFrameWindow, TwoFramesShareOneClassRegistrationUntilTheSecondGoes) {
  HostWindow host;
  auto first = std::make_unique<GuiFrame>(GuiRect{0, 0, 150, 272}, host.handle(), nullptr);
  auto second = std::make_unique<GuiFrame>(GuiRect{0, 0, 40, 30}, host.handle(), nullptr);
  EXPECT_EQ(GuiWindowClass::useCount(), 2);
  char expected[32];
  GuiWindowClass::formatClassName(GetModuleHandleA(nullptr), expected, sizeof expected);
  char name[64] = {}, title[64] = {};
  GetClassNameA(windowOf(*first), name, sizeof name);
  GetWindowTextA(windowOf(*first), title, sizeof title);
  EXPECT_STREQ(name, expected);
  EXPECT_STREQ(title, "Window");
  EXPECT_EQ(GetParent(windowOf(*first)), host.handle());
  const LONG style = GetWindowLongA(windowOf(*first), GWL_STYLE);
  EXPECT_TRUE((style & WS_CHILD) && (style & WS_VISIBLE));
  RECT client;
  GetClientRect(windowOf(*first), &client);
  EXPECT_EQ(client.right, 150);
  EXPECT_EQ(client.bottom, 272);
  EXPECT_TRUE(first->isDropTargetRegistered());

  first.reset();
  EXPECT_TRUE(classRegistered());
  second.reset();
  EXPECT_EQ(GuiWindowClass::useCount(), 0);
  EXPECT_FALSE(classRegistered());
}

TEST(GuiFrameWindow, FrameWithoutParentHasNoWindow) {
  GuiFrame frame({0, 0, 10, 10}, nullptr, nullptr);
  EXPECT_EQ(windowOf(frame), nullptr);
  EXPECT_FALSE(frame.setDropTargetActive(true));
  EXPECT_TRUE(frame.setDropTargetActive(false));
  EXPECT_EQ(GuiWindowClass::useCount(), 0);
}

TEST(GuiFrameWindow, CursorShapesAreSystemCursorsAndTheFoundCursorComesBack) {
  HCURSOR found = LoadCursorA(nullptr, MAKEINTRESOURCEA(32515));  // IDC_CROSS
  SetCursor(found);
  {
    GuiFrame frame({0, 0, 10, 10}, nullptr, nullptr);
    const struct {
      std::uint32_t shape;
      WORD id;
    } shapes[] = {{1, 32514}, {2, 32644}, {3, 32645}, {4, 32646}, {5, 32643}, {6, 32642}};
    for (const auto& s : shapes) {
      frame.setCursorShape(s.shape);
      EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(s.id))) << s.shape;
    }
    frame.setCursorShape(7);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32642)));
    frame.setCursorShape(0);
    EXPECT_EQ(GetCursor(), found);
    frame.setCursorShape(1);
  }
  EXPECT_EQ(GetCursor(), found);
}

TEST(GuiFrameWindow, ClassGoesWithTheLastFrameAlsoAfterTheHostDestroyedItsWindow) {
  auto host = std::make_unique<HostWindow>();
  auto frame = std::make_unique<GuiFrame>(GuiRect{0, 0, 50, 50}, host->handle(), nullptr);
  host->destroy();
  EXPECT_TRUE(classRegistered());
  frame.reset();
  EXPECT_EQ(GuiWindowClass::useCount(), 0);
  EXPECT_FALSE(classRegistered());
}

TEST(GuiWindowClass, FramesOpenedAndClosedOnTwoThreadsAtOnceEachGetAWindowOfTheClass) {
  constexpr int kCyclesPerThread = 150;
  char expected[32];
  GuiWindowClass::formatClassName(GetModuleHandleA(nullptr), expected, sizeof expected);
  std::atomic<int> windowsMade{0};
  const auto openAndClose = [&] {
    HostWindow host;
    for (int cycle = 0; cycle < kCyclesPerThread; ++cycle) {
      GuiFrame frame({0, 0, 40, 30}, host.handle(), nullptr);
      char name[64] = {};
      if (windowOf(frame) && GetClassNameA(windowOf(frame), name, sizeof name) && std::strcmp(name, expected) == 0)
        ++windowsMade;
    }
  };
  std::thread first(openAndClose);
  std::thread second(openAndClose);
  first.join();
  second.join();
  EXPECT_EQ(windowsMade, 2 * kCyclesPerThread);
  EXPECT_EQ(GuiWindowClass::useCount(), 0);
  EXPECT_FALSE(classRegistered());
}

TEST(GuiWindowClass, NameAlreadyRegisteredIsUsedOnlyWhenTheClassIsOurs) {
  const struct {
    const char* holder;
    WNDPROC procedure;
    bool windowMade;
  } cases[] = {
      {"another module's class", DefWindowProcA, false},
      {"ours, outlived by a window of ours", frameWindowProc, true},
  };
  char name[32];
  GuiWindowClass::formatClassName(GuiWindowClass::moduleInstance(), name, sizeof name);
  for (const auto& c : cases) {
    WNDCLASSA description{};
    description.style = CS_GLOBALCLASS;
    description.lpfnWndProc = c.procedure;
    description.hInstance = static_cast<HINSTANCE>(GuiWindowClass::moduleInstance());
    description.lpszClassName = name;
    ASSERT_NE(RegisterClassA(&description), 0) << c.holder;
    HostWindow host;
    {
      GuiFrame frame({0, 0, 40, 30}, host.handle(), nullptr);
      EXPECT_EQ(windowOf(frame) != nullptr, c.windowMade) << c.holder;
      EXPECT_EQ(host.childCount(), c.windowMade ? 1 : 0) << c.holder;
      EXPECT_EQ(GuiWindowClass::useCount(), c.windowMade ? 1 : 0) << c.holder;
    }
    EXPECT_EQ(GuiWindowClass::useCount(), 0) << c.holder;
    if (!c.windowMade) UnregisterClassA(name, description.hInstance);
    EXPECT_FALSE(classRegistered()) << c.holder;
  }
}
