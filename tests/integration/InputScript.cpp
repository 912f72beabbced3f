#include "tests/integration/InputScript.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "tools/standin/EditorWindow.h"

namespace {
// Long enough for the window's thread to take a message and for a drag loop,
// which sleeps 4 ms per turn, to see a new state.
constexpr DWORD kSettle = 60;
constexpr int kDragSteps = 4;
constexpr int kModifierWaits = 300;

void sendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// Modifiers go through the display's own keyboard (xdotool, which Wine starts
// as a Unix program and does not wait for): Wine takes the modifier state of
// every pointer event from the X server, so a modifier that only Wine knew of
// would be dropped at the next mouse move. True once Wine sees the new state.
bool sendModifier(WORD virtualKey, bool down) {
  const char* name = virtualKey == VK_SHIFT ? "shift" : virtualKey == VK_CONTROL ? "ctrl" : "alt";
  char command[64];
  std::snprintf(command, sizeof command, "/usr/bin/xdotool %s %s", down ? "keydown" : "keyup", name);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  for (int wait = 0; wait < kModifierWaits; ++wait) {
    if (((GetAsyncKeyState(virtualKey) & 0x8000) != 0) == down) return true;
    Sleep(10);
  }
  return false;
}
}  // namespace

InputScript& InputScript::moveTo(POINT screen) {
  steps.push_back([screen] {
    // Absolute input coordinates run from 0 to 65536 over the screen; round up
    // so that scaling back lands on the pixel.
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(kSettle);
  });
  return *this;
}

InputScript& InputScript::pressLeft() {
  steps.push_back([] {
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(kSettle * 2);
  });
  return *this;
}

InputScript& InputScript::releaseLeft() {
  steps.push_back([] {
    sendMouse(MOUSEEVENTF_LEFTUP);
    Sleep(kSettle * 2);
  });
  return *this;
}

InputScript& InputScript::keyDown(WORD modifier) {
  steps.push_back([modifier] {
    EXPECT_TRUE(sendModifier(modifier, true)) << "xdotool could not press the key";
    Sleep(kSettle);
  });
  return *this;
}

InputScript& InputScript::keyUp(WORD modifier) {
  steps.push_back([modifier] {
    EXPECT_TRUE(sendModifier(modifier, false)) << "xdotool could not release the key";
    Sleep(kSettle);
  });
  return *this;
}

InputScript& InputScript::pause(DWORD milliseconds) {
  steps.push_back([milliseconds] { Sleep(milliseconds); });
  return *this;
}

InputScript& InputScript::drag(POINT from, POINT to) {
  moveTo(from).pressLeft();
  for (int step = 1; step <= kDragSteps; ++step) {
    moveTo({from.x + (to.x - from.x) * step / kDragSteps, from.y + (to.y - from.y) * step / kDragSteps});
  }
  return pause(kSettle).releaseLeft();
}

InputScript& InputScript::click(POINT at) { return moveTo(at).pressLeft().releaseLeft(); }

void InputScript::playOn(EditorWindow& window) const {
  std::atomic<bool> done{false};
  std::thread player([this, &done] {
    for (const auto& step : steps) step();
    done = true;
  });
  while (!done) {
    window.pumpAndIdle();
    Sleep(5);
  }
  player.join();
  window.runFor(50);
}
