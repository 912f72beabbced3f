#include "tests/gui/x11/X11TestSupport.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>

Display* testDisplay() {
  static Display* display = [] {
    Display* opened = XOpenDisplay(nullptr);
    if (!opened) std::abort();  // The tests run on a virtual display.
    return opened;
  }();
  return display;
}

X11HostWindow::X11HostWindow(int x, int y, int width, int height) {
  Display* display = testDisplay();
  XSetWindowAttributes attributes{};
  // No window manager runs on the virtual display; the window stays where it is put.
  attributes.override_redirect = True;
  attributes.background_pixel = 0x808080;
  attributes.event_mask = StructureNotifyMask;
  window = XCreateWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                         CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XMapRaised(display, window);
  XEvent event;
  XWindowEvent(display, window, StructureNotifyMask, &event);
  while (event.type != MapNotify) XWindowEvent(display, window, StructureNotifyMask, &event);
  XSync(display, False);
}

X11HostWindow::~X11HostWindow() { destroy(); }

void X11HostWindow::destroy() {
  if (!window) return;
  XDestroyWindow(testDisplay(), window);
  XSync(testDisplay(), True);
  window = 0;
}

X11Snapshot::X11Snapshot(Window window, const GuiRect& r) : area(r) {
  Display* display = testDisplay();
  XSync(display, False);
  XImage* image = XGetImage(display, window, r.left, r.top, static_cast<unsigned>(r.width()),
                            static_cast<unsigned>(r.height()), AllPlanes, ZPixmap);
  if (!image) return;
  pixels.reserve(static_cast<std::size_t>(r.width() * r.height()));
  for (int y = 0; y < r.height(); ++y) {
    for (int x = 0; x < r.width(); ++x) {
      const unsigned long value = XGetPixel(image, x, y);
      pixels.push_back({std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value), 0});
    }
  }
  XDestroyImage(image);
}

GuiColour X11Snapshot::pixel(int x, int y) const {
  if (pixels.empty()) return {};
  return pixels[static_cast<std::size_t>(y * area.width() + x)];
}

int X11Snapshot::count(const GuiColour& colour, const GuiRect& r) const {
  int found = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) found += pixel(x, y) == colour;
  }
  return found;
}

void movePointer(int x, int y) {
  XTestFakeMotionEvent(testDisplay(), -1, x, y, CurrentTime);
  syncTestDisplay();
}

void setButton(unsigned button, bool down) {
  XTestFakeButtonEvent(testDisplay(), button, down ? True : False, CurrentTime);
  syncTestDisplay();
}

void setKey(unsigned long keysym, bool down) {
  const KeyCode code = XKeysymToKeycode(testDisplay(), keysym);
  XTestFakeKeyEvent(testDisplay(), code, down ? True : False, CurrentTime);
  syncTestDisplay();
}

void syncTestDisplay() { XSync(testDisplay(), False); }
