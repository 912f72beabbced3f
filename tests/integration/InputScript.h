#pragma once
// Real mouse and key input for the editor's window, injected from a second
// thread while the window's thread pumps events and runs the controls'
// polling drag loops, as a user's hand and a host's event loop would.

#include <functional>
#include <vector>

#include "gui/GuiPoint.h"
#include "tests/gui/GuiTestSupport.h"

class EditorWindow;

class InputScript {
public:
  InputScript& moveTo(GuiPoint screen);
  InputScript& pressLeft();
  InputScript& releaseLeft();
  InputScript& keyDown(TestModifier modifier);
  InputScript& keyUp(TestModifier modifier);
  InputScript& pause(unsigned milliseconds);
  // A press, a few steps to the end point and a release, with time for the
  // drag loop to see each position.
  InputScript& drag(GuiPoint from, GuiPoint to);
  InputScript& click(GuiPoint at);

  // Plays the steps on a second thread while this thread pumps the window.
  void playOn(EditorWindow& window) const;

private:
  std::vector<std::function<void()>> steps;
};
