#include "gui/GuiFrame.h"

#include <gtest/gtest.h>

#include <memory>

#include "gui/GuiBitmap.h"
#include "gui/win32/GuiWindowClass.h"
#include "host/PluginMain.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/RecordingView.h"
#include "tests/gui/resources/TestBitmaps.h"

namespace {

bool classRegistered() {
  WNDCLASSA description;
  return GetClassInfoA(GetModuleHandleA(nullptr), GuiWindowClass::className(), &description) != 0;
}

void paintNow(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

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

TEST(GuiFrameWindow, PaintAndButtonMessagesReachTheFrameAndItsViews) {
  HostWindow host;
  GuiFrame frame({0, 0, 120, 80}, host.handle(), nullptr);
  auto* background = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  frame.setBackground(background);
  background->release();
  auto* view = new RecordingView({40, 10, 60, 30}, ColourBlue);
  frame.addView(view);
  paintNow(windowOf(frame));
  EXPECT_FALSE(frame.isFirstDrawPending());
  EXPECT_EQ(view->draws, 1);

  DibCanvas shown(120, 80);
  shown.copyFromWindow(windowOf(frame));
  EXPECT_EQ(shown.count(ColourBlue, {40, 10, 60, 30}), 20 * 20);
  EXPECT_EQ(shown.count(kUpperHalf, {0, 0, 28, 14}), 28 * 14);
  EXPECT_EQ(shown.count(kLowerHalf, {0, 14, 28, 28}), 28 * 14);

  SendMessageA(windowOf(frame), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 20));
  SendMessageA(windowOf(frame), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 30));
  SendMessageA(windowOf(frame), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(50, 11));
  SendMessageA(windowOf(frame), WM_LBUTTONUP, 0, MAKELPARAM(45, 20));
  SendMessageA(windowOf(frame), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(61, 20));
  ASSERT_EQ(view->presses.size(), 3u);
  EXPECT_EQ(view->presses[0].x, 45);
  EXPECT_EQ(view->presses[0].y, 20);
  EXPECT_EQ(view->presses[1].x, 60);
  EXPECT_EQ(view->presses[2].y, 11);
}

TEST(GuiFrameWindow, PartialPaintDrawsTheBackgroundFromTheSameSpotAndOnlyOverlappingViews) {
  HostWindow host;
  GuiFrame frame({0, 0, 60, 40}, host.handle(), nullptr);
  auto* background = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  frame.setBackground(background);
  background->release();
  auto* nearView = new RecordingView({30, 0, 40, 10}, ColourBlue);
  auto* farView = new RecordingView({50, 30, 59, 39}, ColourGreen);
  frame.addView(nearView);
  frame.addView(farView);
  paintNow(windowOf(frame));
  RECT part{10, 10, 35, 20};
  InvalidateRect(windowOf(frame), &part, FALSE);
  UpdateWindow(windowOf(frame));
  EXPECT_EQ(nearView->draws, 2);
  EXPECT_EQ(farView->draws, 1);
  DibCanvas shown(60, 40);
  shown.copyFromWindow(windowOf(frame));
  EXPECT_EQ(shown.count(kUpperHalf, {10, 10, 28, 14}), 18 * 4);
  EXPECT_EQ(shown.count(kLowerHalf, {10, 14, 28, 20}), 18 * 6);
}

TEST(GuiFrameWindow, IdleDrawsNothingBeforeTheFirstPaintThenOnlyDirtyViews) {
  HostWindow host;
  GuiFrame frame({0, 0, 100, 60}, host.handle(), nullptr);
  auto* clean = new RecordingView({0, 0, 20, 20});
  auto* changing = new RecordingView({30, 0, 50, 20}, ColourGreen);
  frame.addView(clean);
  frame.addView(changing);
  ValidateRect(windowOf(frame), nullptr);
  changing->setDirty(true);
  frame.idle();
  EXPECT_EQ(changing->draws, 0);

  paintNow(windowOf(frame));
  EXPECT_EQ(changing->draws, 1);
  changing->setDirty(true);
  frame.idle();
  frame.idle();
  EXPECT_EQ(changing->draws, 2);
  EXPECT_EQ(clean->draws, 1);
  EXPECT_FALSE(frame.isAnyViewDirty());
  DibCanvas shown(100, 60);
  shown.copyFromWindow(windowOf(frame));
  EXPECT_EQ(shown.count(ColourGreen, {30, 0, 50, 20}), 400);

  frame.setDirty(true);
  frame.idle();
  EXPECT_EQ(clean->draws, 2);
  EXPECT_EQ(changing->draws, 3);
}

TEST(GuiFrameWindow, HostDestroyingItsWindowFirstLeavesTheFrameClosed) {
  auto host = std::make_unique<HostWindow>();
  auto frame = std::make_unique<GuiFrame>(GuiRect{0, 0, 50, 50}, host->handle(), nullptr);
  auto* view = new RecordingView({0, 0, 10, 10});
  frame->addView(view);
  paintNow(windowOf(*frame));
  host->destroy();
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(frame->hostWindow(), nullptr);
  EXPECT_EQ(windowOf(*frame), nullptr);
  view->setDirty(true);
  frame->idle();
  DibCanvas canvas(4, 4);
  GuiDrawingContext context(nullptr, canvas.dc(), nullptr);
  frame->redrawIfDirty(context);
  EXPECT_EQ(view->draws, 1);
  frame.reset();
  EXPECT_EQ(GuiWindowClass::useCount(), 0);
  EXPECT_FALSE(classRegistered());
}

TEST(GuiFrameWindow, FrameOwnsTheBackgroundReferenceItTakes) {
  auto* background = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  {
    GuiFrame frame({0, 0, 10, 10}, nullptr, nullptr);
    frame.setBackground(background);
    EXPECT_EQ(background->referenceCount(), 2);
    frame.setBackground(background);
    EXPECT_EQ(background->referenceCount(), 2);
  }
  EXPECT_EQ(background->referenceCount(), 1);
  background->release();
}

TEST(GuiFrameWindow, CursorPositionIsRelativeToTheFrameWindow) {
  HostWindow host(200, 150, 100, 100);
  GuiFrame frame({0, 0, 50, 50}, host.handle(), nullptr);
  SetCursorPos(230, 170);
  GuiPoint where;
  EXPECT_TRUE(frame.cursorPosition(where));
  EXPECT_EQ(where.x, 30);
  EXPECT_EQ(where.y, 20);
}

namespace {

void sendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void sendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

}  // namespace

TEST(GuiFrameWindow, RealMouseInputReachesTheViewAndShowsInTheButtonState) {
  HostWindow host(100, 100, 200, 200);
  GuiFrame frame({0, 0, 150, 150}, host.handle(), nullptr);
  auto* view = new RecordingView({40, 40, 80, 80});
  frame.addView(view);
  pumpMessages();
  SetCursorPos(100 + 50, 100 + 60);
  pumpMessages();

  DibCanvas canvas(4, 4);
  GuiDrawingContext context(nullptr, canvas.dc(), windowOf(frame));
  sendKey(VK_SHIFT, false);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(context.readMouseButtons(), MouseButtonLeft | ModifierShift);
  GuiPoint where;
  context.readMousePosition(where);
  EXPECT_EQ(where.x, 50);
  EXPECT_EQ(where.y, 60);
  pumpMessages();
  sendMouse(MOUSEEVENTF_LEFTUP);
  sendKey(VK_SHIFT, true);
  pumpMessages();
  EXPECT_EQ(context.readMouseButtons(), 0);
  ASSERT_EQ(view->presses.size(), 1u);
  EXPECT_EQ(view->presses[0].x, 50);
  EXPECT_EQ(view->presses[0].y, 60);
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
