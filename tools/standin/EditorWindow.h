#pragma once
// The host's side of the plug-in's editor on Windows: a top-level window that
// the editor opens its panel in, the host's idle calls, and the panel's pixels
// read back from the screen.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "tools/standin/StandInHost.h"

// The panel's pixels, row by row from the top, as 0xRRGGBB.
struct PanelPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
};

class EditorWindow {
public:
  // Makes the window at the screen position, sized by the editor's rectangle,
  // and opens the editor in it; isOpen() tells whether that worked.
  EditorWindow(StandInHost& host, int screenX, int screenY);
  ~EditorWindow();  // closes the editor if it is still open

  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  bool isOpen() const { return panel != nullptr; }
  VstIntPtr openAnswer() const { return openResult; }
  HWND hostWindow() const { return window; }
  // The editor's own child window.
  HWND panelWindow() const { return panel; }
  POINT panelScreenOrigin() const;

  // Dispatches the thread's pending messages, keys for the host's window as
  // the editor's key opcodes, then sends the host's idle opcode.
  void pumpAndIdle();
  // Keeps pumping and idling for the given time.
  void runFor(DWORD milliseconds);
  PanelPixels capture() const;
  // effEditClose; the host's window stays.
  void closeEditor();
  // effEditOpen again in the same window.
  bool reopenEditor();

private:
  void findPanel();
  void forwardKey(const MSG& message);

  StandInHost& host;
  HWND window = nullptr;
  HWND panel = nullptr;
  VstIntPtr openResult = 0;
};
