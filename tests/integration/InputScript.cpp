#include "tests/integration/InputScript.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tools/standin/EditorWindow.h"

namespace {
// Long enough for the window's thread to take an event and for a drag loop,
// which sleeps 4 ms per turn, to see a new state.
constexpr unsigned kSettle = 60;
constexpr int kDragSteps = 4;

void sleepFor(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
}  // namespace

InputScript& InputScript::moveTo(GuiPoint screen) {
  steps.push_back([screen] {
    movePointer(screen);
    sleepFor(kSettle);
  });
  return *this;
}

InputScript& InputScript::pressLeft() {
  steps.push_back([] {
    setLeftButton(true);
    sleepFor(kSettle * 2);
  });
  return *this;
}

InputScript& InputScript::releaseLeft() {
  steps.push_back([] {
    setLeftButton(false);
    sleepFor(kSettle * 2);
  });
  return *this;
}

InputScript& InputScript::keyDown(TestModifier modifier) {
  steps.push_back([modifier] {
    EXPECT_TRUE(setModifier(modifier, true)) << "the modifier did not go down";
    sleepFor(kSettle);
  });
  return *this;
}

InputScript& InputScript::keyUp(TestModifier modifier) {
  steps.push_back([modifier] {
    EXPECT_TRUE(setModifier(modifier, false)) << "the modifier did not come up";
    sleepFor(kSettle);
  });
  return *this;
}

InputScript& InputScript::pause(unsigned milliseconds) {
  steps.push_back([milliseconds] { sleepFor(milliseconds); });
  return *this;
}

InputScript& InputScript::drag(GuiPoint from, GuiPoint to) {
  moveTo(from).pressLeft();
  for (int step = 1; step <= kDragSteps; ++step) {
    moveTo({from.x + (to.x - from.x) * step / kDragSteps, from.y + (to.y - from.y) * step / kDragSteps});
  }
  return pause(kSettle).releaseLeft();
}

InputScript& InputScript::click(GuiPoint at) { return moveTo(at).pressLeft().releaseLeft(); }

void InputScript::playOn(EditorWindow& window) const {
  std::atomic<bool> done{false};
  std::thread player([this, &done] {
    for (const auto& step : steps) step();
    done = true;
  });
  while (!done) {
    window.pumpAndIdle();
    sleepFor(5);
  }
  player.join();
  window.runFor(50);
}
