// GuiTestSupport.h on X11: cairo images, Xlib windows of the test's own
// connection, and input through the XTest extension of the virtual display.
#include "tests/gui/GuiTestSupport.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <memory>

#include "gui/GuiFrame.h"
#include "gui/x11/X11ChildWindow.h"
#include "gui/x11/X11Surface.h"
#include "tests/gui/x11/X11TestSupport.h"

extern const GuiEmbeddedImage testImages[];
extern const std::size_t testImagesCount;

namespace {

constexpr unsigned long kHostGrey = 0x808080;

// Input comes from a second thread too, which needs a connection of its own.
struct ThreadConnection {
  Display* display = nullptr;
  ~ThreadConnection() {
    if (display) XCloseDisplay(display);
  }
};

X11ChildWindow* childOf(GuiFrame& frame) { return X11ChildWindow::find(windowId(frame.frameWindow())); }

KeySym keyOf(TestModifier modifier) {
  switch (modifier) {
    case TestModifier::Shift: return XK_Shift_L;
    case TestModifier::Control: return XK_Control_L;
    case TestModifier::Alt: return XK_Alt_L;
  }
  return NoSymbol;
}

unsigned maskOf(TestModifier modifier) {
  switch (modifier) {
    case TestModifier::Shift: return ShiftMask;
    case TestModifier::Control: return ControlMask;
    case TestModifier::Alt: return Mod1Mask;
  }
  return 0;
}

unsigned pointerMask() {
  Display* display = testDisplay();
  Window root, child;
  int rootX, rootY, x, y;
  unsigned mask = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask);
  return mask;
}

void sendButton(GuiFrame& frame, int type, int button, const GuiPoint& where) {
  X11ChildWindow* child = childOf(frame);
  if (!child) return;
  XEvent event{};
  event.xbutton.type = type;
  event.xbutton.display = child->display();
  event.xbutton.window = child->id();
  event.xbutton.root = DefaultRootWindow(child->display());
  event.xbutton.x = where.x;
  event.xbutton.y = where.y;
  event.xbutton.button = static_cast<unsigned>(button);
  event.xbutton.same_screen = True;
  const long mask = type == ButtonPress ? ButtonPressMask : ButtonReleaseMask;
  XSendEvent(child->display(), child->id(), False, mask, &event);
  XSync(child->display(), False);
  // The window system hands the press over at once, as SendMessage does.
  child->processPendingEvents();
}

}  // namespace

Display* testDisplay() {
  thread_local ThreadConnection connection;
  if (!connection.display) {
    connection.display = XOpenDisplay(nullptr);
    if (!connection.display) std::abort();  // The tests run on a virtual display.
  }
  return connection.display;
}

void setKey(KeySym key, bool down) {
  Display* display = testDisplay();
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), down ? True : False, CurrentTime);
  XSync(display, False);
}

// An image of the canvas's size and the surface a context draws on.
struct TestCanvas::Native {
  Native(int width, int height)
      : image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)), cairo(cairo_create(image)),
        surface(cairo, nullptr) {}
  ~Native() {
    cairo_destroy(cairo);
    cairo_surface_destroy(image);
  }
  std::uint32_t* row(int y) const {
    cairo_surface_flush(image);
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image) +
                                            y * cairo_image_surface_get_stride(image));
  }

  cairo_surface_t* image;
  cairo_t* cairo;
  X11Surface surface;
};

TestCanvas::TestCanvas(int width, int height, const GuiColour& colour)
    : canvasWidth(width), canvasHeight(height), native(std::make_unique<Native>(width, height)) {
  fill(colour);
}

TestCanvas::~TestCanvas() = default;

GuiNativeSurface TestCanvas::surface() const { return &native->surface; }

GuiColour TestCanvas::pixel(int x, int y) const {
  const std::uint32_t value = native->row(y)[x];
  return {std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value), 0};
}

void TestCanvas::fill(const GuiColour& colour) {
  const std::uint32_t value = std::uint32_t(colour.red) << 16 | std::uint32_t(colour.green) << 8 | colour.blue;
  for (int y = 0; y < canvasHeight; ++y) {
    std::uint32_t* row = native->row(y);
    for (int x = 0; x < canvasWidth; ++x) row[x] = value;
  }
  cairo_surface_mark_dirty(native->image);
}

void TestCanvas::copyFromWindow(GuiNativeWindow window) {
  Display* display = testDisplay();
  XSync(display, False);
  XImage* shown = XGetImage(display, windowId(window), 0, 0, static_cast<unsigned>(canvasWidth),
                            static_cast<unsigned>(canvasHeight), AllPlanes, ZPixmap);
  if (!shown) return;
  for (int y = 0; y < canvasHeight; ++y) {
    std::uint32_t* row = native->row(y);
    for (int x = 0; x < canvasWidth; ++x) row[x] = static_cast<std::uint32_t>(XGetPixel(shown, x, y)) & 0xFFFFFFu;
  }
  cairo_surface_mark_dirty(native->image);
  XDestroyImage(shown);
}

int TestCanvas::count(const GuiColour& colour, const GuiRect& area) const {
  int found = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) found += pixel(x, y) == colour;
  }
  return found;
}

struct HostWindow::Native {
  Window window = 0;
};

HostWindow::HostWindow(int x, int y, int width, int height) : native(std::make_unique<Native>()) {
  Display* display = testDisplay();
  XSetWindowAttributes attributes{};
  // No window manager runs on the virtual display; the window stays where it is put.
  attributes.override_redirect = True;
  attributes.background_pixel = kHostGrey;
  attributes.event_mask = StructureNotifyMask;
  native->window = XCreateWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                 CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XMapRaised(display, native->window);
  XEvent event;
  do {
    XWindowEvent(display, native->window, StructureNotifyMask, &event);
  } while (event.type != MapNotify);
}

HostWindow::~HostWindow() { destroy(); }

GuiNativeWindow HostWindow::handle() const { return nativeWindow(native->window); }

void HostWindow::destroy() {
  if (!native->window) return;
  XDestroyWindow(testDisplay(), native->window);
  native->window = 0;
  pumpEvents();
}

int HostWindow::childCount() const {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  XSync(testDisplay(), False);
  if (!XQueryTree(testDisplay(), native->window, &root, &parent, &children, &count)) count = 0;
  if (children) XFree(children);
  return static_cast<int>(count);
}

// Built into the test program from the same BMP files as the Windows resources.
GuiResourceSource testBitmaps() { return {nullptr, testImages, testImagesCount}; }

// Every window of the toolkit made on this thread has its events handled, as
// a Windows thread's message loop would.
void pumpEvents(GuiFrame*) {
  XSync(testDisplay(), False);
  const std::vector<X11ChildWindow*> windows = X11ChildWindow::ofThisThread();
  for (X11ChildWindow* child : windows) child->processPendingEvents();
}

void invalidate(GuiFrame& frame, const GuiRect* part) {
  X11ChildWindow* child = childOf(frame);
  if (!child) return;
  const GuiRect area = part ? *part : GuiRect{0, 0, child->width(), child->height()};
  XClearArea(child->display(), child->id(), area.left, area.top, static_cast<unsigned>(area.width()),
             static_cast<unsigned>(area.height()), True);
  XSync(child->display(), False);
}

void paintNow(GuiFrame& frame, const GuiRect* part) {
  invalidate(frame, part);
  frame.dispatchPendingPaint();
}

void discardPendingPaint(GuiFrame& frame) {
  X11ChildWindow* child = childOf(frame);
  if (!child) return;
  XSync(child->display(), False);
  XEvent event;
  while (XCheckTypedWindowEvent(child->display(), child->id(), Expose, &event)) {
  }
}

void sendPress(GuiFrame& frame, int button, const GuiPoint& where) { sendButton(frame, ButtonPress, button, where); }

void sendRelease(GuiFrame& frame, int button, const GuiPoint& where) {
  sendButton(frame, ButtonRelease, button, where);
}

void movePointer(const GuiPoint& screen) {
  XTestFakeMotionEvent(testDisplay(), -1, screen.x, screen.y, CurrentTime);
  XSync(testDisplay(), False);
}

void setLeftButton(bool down) {
  XTestFakeButtonEvent(testDisplay(), 1, down ? True : False, CurrentTime);
  XSync(testDisplay(), False);
}

bool setModifier(TestModifier modifier, bool down) {
  setKey(keyOf(modifier), down);
  return isModifierDown(modifier) == down;
}

bool isModifierDown(TestModifier modifier) { return (pointerMask() & maskOf(modifier)) != 0; }
