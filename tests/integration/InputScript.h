#pragma once
// Real mouse and key input for the editor's window, injected from a second
// thread while the window's thread pumps messages and runs the controls'
// polling drag loops, as a user's hand and a host's message loop would.

#include <windows.h>

#include <functional>
#include <vector>

class EditorWindow;

class InputScript {
public:
  InputScript& moveTo(POINT screen);
  InputScript& pressLeft();
  InputScript& releaseLeft();
  // Shift, control or alt (VK_SHIFT, VK_CONTROL, VK_MENU).
  InputScript& keyDown(WORD modifier);
  InputScript& keyUp(WORD modifier);
  InputScript& pause(DWORD milliseconds);
  // A press, a few steps to the end point and a release, with time for the
  // drag loop to see each position.
  InputScript& drag(POINT from, POINT to);
  InputScript& click(POINT at);

  // Plays the steps on a second thread while this thread pumps the window.
  void playOn(EditorWindow& window) const;

private:
  std::vector<std::function<void()>> steps;
};
