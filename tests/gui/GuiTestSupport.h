#pragma once
// The window system as the toolkit's tests use it, the same on every platform:
// a canvas whose pixels can be read, a top-level window standing in for a
// host's, the window system's own events, and real input. Defined once per
// platform: tests/gui/win32/GuiTestSupport.cpp (GDI, USER32 under Wine) and
// tests/gui/x11/GuiTestSupport.cpp (cairo, Xlib and XTest on a virtual display).
// Screen coordinates are those of the (virtual) display.

#include <cstdint>
#include <memory>

#include "gui/GuiColour.h"
#include "gui/GuiPlatformTypes.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"
#include "gui/GuiResourceSource.h"

class GuiFrame;

// An image of 24-bit colour that a drawing context draws on.
class TestCanvas {
public:
  TestCanvas(int width, int height, const GuiColour& fill = ColourBlack);
  ~TestCanvas();
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  // What a GuiDrawingContext draws on.
  GuiNativeSurface surface() const;
  int width() const { return canvasWidth; }
  int height() const { return canvasHeight; }
  GuiColour pixel(int x, int y) const;
  void fill(const GuiColour& colour);
  // Copies what the window shows on the screen into the canvas at (0, 0).
  void copyFromWindow(GuiNativeWindow window);
  // Pixels of the colour within the rectangle (right and bottom excluded).
  int count(const GuiColour& colour, const GuiRect& area) const {
    int found = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) found += pixel(x, y) == colour;
    }
    return found;
  }

  struct Native;

private:
  int canvasWidth;
  int canvasHeight;
  std::unique_ptr<Native> native;
};

// A visible top-level window at a fixed place on the screen.
class HostWindow {
public:
  HostWindow(int x = 100, int y = 100, int width = 300, int height = 300);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  GuiNativeWindow handle() const;
  // Destroys the window as a host closing its own window would, and lets the
  // window system tell its children.
  void destroy();
  // How many child windows it has.
  int childCount() const;

  struct Native;

private:
  std::unique_ptr<Native> native;
};

// The test bitmaps (tests/gui/resources), as the module's bitmaps are found.
GuiResourceSource testBitmaps();

// Handles whatever the window system queued for this thread's windows; given
// a frame, its window's events too.
void pumpEvents(GuiFrame* frame = nullptr);
// Marks the frame's window (or the part of it) as needing paint; the window
// system asks for it later.
void invalidate(GuiFrame& frame, const GuiRect* part = nullptr);
// Invalidates and lets the paint through at once.
void paintNow(GuiFrame& frame, const GuiRect* part = nullptr);
// Drops the paint the window system has pending for the frame's window.
void discardPendingPaint(GuiFrame& frame);
// A press of a mouse button (1 left, 2 middle, 3 right) at a point of the
// frame's window, handed to it as the window system hands one; the live
// button state stays as it was.
void sendPress(GuiFrame& frame, int button, const GuiPoint& where);
void sendRelease(GuiFrame& frame, int button, const GuiPoint& where);

// Real input: it changes the live state that drag loops poll. Safe from a
// second thread while the window's thread runs a drag.
enum class TestModifier { Shift, Control, Alt };
void movePointer(const GuiPoint& screen);
void setLeftButton(bool down);
// True once the window system reports the new state.
bool setModifier(TestModifier modifier, bool down);
bool isModifierDown(TestModifier modifier);
