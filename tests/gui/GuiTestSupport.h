#pragma once
// Real Win32 surfaces for the toolkit tests: a memory canvas whose pixels can
// be read, and a top-level window standing in for a host's editor window.

#include <windows.h>

#include <cstdint>

#include "gui/GuiColour.h"
#include "gui/GuiFrame.h"
#include "gui/GuiRect.h"
#include "gui/GuiResourceSource.h"

// A 32-bit top-down DIB section selected into its own memory device context.
class DibCanvas {
public:
  DibCanvas(int width, int height, const GuiColour& fill = ColourBlack);
  ~DibCanvas();
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC dc() const { return memoryDc; }
  int width() const { return canvasWidth; }
  int height() const { return canvasHeight; }
  GuiColour pixel(int x, int y) const;
  void fill(const GuiColour& colour);
  // Copies what the window shows (its client area) into the canvas at (0, 0).
  void copyFromWindow(HWND window);
  // Pixels of the colour within the rectangle (right and bottom excluded).
  int count(const GuiColour& colour, const GuiRect& area) const;

private:
  int canvasWidth;
  int canvasHeight;
  HDC memoryDc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  std::uint32_t* bits = nullptr;
};

// A visible top-level window at a fixed place on the screen.
class HostWindow {
public:
  HostWindow(int x = 100, int y = 100, int width = 300, int height = 300);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND handle() const { return window; }
  // Destroys the window as a host closing its own window would.
  void destroy();

private:
  HWND window = nullptr;
};

// Dispatches whatever is queued for this thread.
void pumpMessages();

GuiResourceSource testBitmaps();
HWND windowOf(const GuiFrame& frame);
