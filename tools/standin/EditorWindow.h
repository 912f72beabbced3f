#pragma once
// The host's side of the plug-in's editor: a top-level window that the editor
// opens its panel in (an HWND on Windows, an X11 window on Linux, handed to
// effEditOpen as the host's parent), the host's idle calls, and the panel's
// pixels read back from the screen. Defined per platform:
// EditorWindowWin32.cpp, EditorWindowX11.cpp.

#include <cstdint>
#include <memory>
#include <vector>

#include "tools/standin/StandInHost.h"

// The panel's pixels, row by row from the top, as 0xRRGGBB.
struct PanelPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
  // How many pixels differ from the other picture's; -1 when the sizes differ.
  int differingFrom(const PanelPixels& other) const {
    if (width != other.width || height != other.height) return -1;
    int differing = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) differing += rgb[i] != other.rgb[i] ? 1 : 0;
    return differing;
  }
};

// A key that the host's window received and handed to the editor through a
// key opcode, with the editor's answer (-1: not taken, the host's to use).
struct ForwardedKey {
  VstInt32 opcode = 0;  // effEditKeyDown or effEditKeyUp
  VstInt32 character = 0;
  VstIntPtr virtualKey = 0;
  VstIntPtr answer = 0;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

class EditorWindow {
public:
  // Makes the window at the screen position, sized by the editor's rectangle,
  // and opens the editor in it; isOpen() tells whether that worked.
  EditorWindow(StandInHost& standInHost, int screenX, int screenY);
  ~EditorWindow();  // closes the editor if it is still open

  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  bool isOpen() const { return openResult == 1 && panelCount() == 1; }
  VstIntPtr openAnswer() const { return openResult; }
  // The native window, as effEditOpen takes it.
  void* hostWindow() const;
  // How many child windows the host's window holds: the editor's panel, if open.
  int panelCount() const;
  ScreenPoint panelScreenOrigin() const;

  // Handles the host window's pending events, keys as the editor's key
  // opcodes, then sends the host's idle opcode.
  void pumpAndIdle();
  // Every key handed on so far, in order.
  const std::vector<ForwardedKey>& forwardedKeys() const { return keys; }
  // Keeps pumping and idling for the given time.
  void runFor(unsigned milliseconds);
  PanelPixels capture() const;
  // effEditClose; the host's window stays.
  void closeEditor();
  // effEditOpen again in the same window.
  bool reopenEditor();

  struct Native;

private:
  StandInHost& host;
  std::unique_ptr<Native> native;
  VstIntPtr openResult = 0;
  std::vector<ForwardedKey> keys;
};
