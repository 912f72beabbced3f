#include "tests/gui/GuiTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cairo.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <thread>

#include "gui/GuiFrame.h"
#include "gui/x11/GuiFrameWindowNative.h"
#include "gui/x11/X11Surface.h"
#include "tests/gui/x11/X11TestSupport.h"

extern const GuiEmbeddedImage testImages[];
extern const std::size_t testImagesCount;

namespace {

// Waits of 10 ms for a modifier to show in the server's state.
constexpr int kModifierWaits = 300;

Window idOf(GuiNativeWindow window) { return static_cast<Window>(reinterpret_cast<std::uintptr_t>(window)); }

// Input comes from whichever thread plays it, each on a connection of its own.
Display* inputDisplay() {
  thread_local struct Connection {
    Display* display = XOpenDisplay(nullptr);
    ~Connection() {
      if (display) XCloseDisplay(display);
    }
  } connection;
  return connection.display;
}

X11ChildWindow* childOf(GuiFrame& frame) {
  GuiFrameWindow::Native* native = frame.nativeWindow().nativeState();
  return native && native->usable() ? native->child.get() : nullptr;
}

unsigned maskOf(TestModifier modifier) {
  switch (modifier) {
    case TestModifier::Shift: return ShiftMask;
    case TestModifier::Control: return ControlMask;
    case TestModifier::Alt: return Mod1Mask;
  }
  return 0;
}

KeySym keysymOf(TestModifier modifier) {
  switch (modifier) {
    case TestModifier::Shift: return XK_Shift_L;
    case TestModifier::Control: return XK_Control_L;
    case TestModifier::Alt: return XK_Alt_L;
  }
  return 0;
}

void sendButton(GuiFrame& frame, int type, int button, const GuiPoint& where) {
  X11ChildWindow* child = childOf(frame);
  if (!child) return;
  XEvent event{};
  event.xbutton.type = type;
  event.xbutton.display = testDisplay();
  event.xbutton.window = child->id();
  event.xbutton.root = DefaultRootWindow(testDisplay());
  event.xbutton.x = where.x;
  event.xbutton.y = where.y;
  event.xbutton.button = static_cast<unsigned>(button);
  event.xbutton.same_screen = True;
  XSendEvent(testDisplay(), child->id(), False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
  pumpEvents(&frame);
}

}  // namespace

// An RGB image with a cairo context, and the surface a drawing context takes.
struct TestCanvas::Native {
  Native(int width, int height)
      : image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
        cairo(cairo_create(image)),
        surface(cairo, nullptr) {}
  ~Native() {
    cairo_destroy(cairo);
    cairo_surface_destroy(image);
  }
  std::uint32_t* row(int y) const {
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image) +
                                            static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(image));
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
  cairo_surface_flush(native->image);
  const std::uint32_t value = native->row(y)[x];
  return {std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value), 0};
}

void TestCanvas::fill(const GuiColour& colour) {
  cairo_surface_flush(native->image);
  const std::uint32_t value = std::uint32_t(colour.red) << 16 | std::uint32_t(colour.green) << 8 | colour.blue;
  for (int y = 0; y < canvasHeight; ++y) {
    for (int x = 0; x < canvasWidth; ++x) native->row(y)[x] = value;
  }
  cairo_surface_mark_dirty(native->image);
}

void TestCanvas::copyFromWindow(GuiNativeWindow window) {
  const X11Snapshot shown(idOf(window), {0, 0, canvasWidth, canvasHeight});
  cairo_surface_flush(native->image);
  for (int y = 0; y < canvasHeight; ++y) {
    for (int x = 0; x < canvasWidth; ++x) {
      const GuiColour c = shown.pixel(x, y);
      native->row(y)[x] = std::uint32_t(c.red) << 16 | std::uint32_t(c.green) << 8 | c.blue;
    }
  }
  cairo_surface_mark_dirty(native->image);
}

struct HostWindow::Native {
  Native(int x, int y, int width, int height) : window(x, y, width, height) {}
  X11HostWindow window;
};

HostWindow::HostWindow(int x, int y, int width, int height) : native(std::make_unique<Native>(x, y, width, height)) {}

HostWindow::~HostWindow() = default;

GuiNativeWindow HostWindow::handle() const {
  return reinterpret_cast<GuiNativeWindow>(static_cast<std::uintptr_t>(native->window.handle()));
}

void HostWindow::destroy() { native->window.destroy(); }

int HostWindow::childCount() const {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(testDisplay(), native->window.handle(), &root, &parent, &children, &count)) count = 0;
  if (children) XFree(children);
  return static_cast<int>(count);
}

// The test bitmaps, built into the test program as the plug-in's are.
GuiResourceSource testBitmaps() { return {nullptr, testImages, testImagesCount}; }

void pumpEvents(GuiFrame* frame) {
  syncTestDisplay();
  while (XPending(testDisplay()) > 0) {
    XEvent event;
    XNextEvent(testDisplay(), &event);
  }
  if (!frame) return;
  // The frame's connection learns of what the server did for the test once it has caught up.
  GuiFrameWindow::Native* native = frame->nativeWindow().nativeState();
  if (!native || !native->child) return;
  XSync(native->child->display(), False);
  native->child->processPendingEvents();
}

void invalidate(GuiFrame& frame, const GuiRect* part) {
  X11ChildWindow* child = childOf(frame);
  if (!child) return;
  const GuiRect area = part ? *part : GuiRect{0, 0, child->width(), child->height()};
  // An exposure without clearing: the window has no background of its own.
  XClearArea(testDisplay(), child->id(), area.left, area.top, static_cast<unsigned>(area.width()),
             static_cast<unsigned>(area.height()), True);
  syncTestDisplay();
}

void paintNow(GuiFrame& frame, const GuiRect* part) {
  invalidate(frame, part);
  pumpEvents(&frame);
}

void discardPendingPaint(GuiFrame& frame) {
  X11ChildWindow* child = childOf(frame);
  if (!child) return;
  syncTestDisplay();
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
  XTestFakeMotionEvent(inputDisplay(), -1, screen.x, screen.y, CurrentTime);
  XSync(inputDisplay(), False);
}

void setLeftButton(bool down) {
  XTestFakeButtonEvent(inputDisplay(), Button1, down ? True : False, CurrentTime);
  XSync(inputDisplay(), False);
}

bool setModifier(TestModifier modifier, bool down) {
  Display* display = inputDisplay();
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysymOf(modifier)), down ? True : False, CurrentTime);
  XSync(display, False);
  for (int wait = 0; wait < kModifierWaits; ++wait) {
    if (isModifierDown(modifier) == down) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

bool isModifierDown(TestModifier modifier) {
  Display* display = inputDisplay();
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned mask = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask);
  return (mask & maskOf(modifier)) != 0;
}
