#include "gui/x11/X11ChildWindow.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>

namespace {

// No keys: they pass on to the host's window, which hands the panel those it
// uses through the editor's key opcodes, as on Windows. A panel that read
// them would keep the host's shortcuts from it while the pointer is over it.
constexpr long kEventMask = ExposureMask | ButtonPressMask | StructureNotifyMask;

// The shift that brings a colour channel's eight bits under the mask.
int shiftFor(unsigned long mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  int bits = 0;
  while (mask & 1) {
    mask >>= 1;
    ++bits;
  }
  return shift + bits - 8;
}

// Where one eight-bit colour channel goes in a pixel of the window's format.
struct ChannelPlace {
  unsigned long mask;
  int shift;
  explicit ChannelPlace(unsigned long m) : mask(m), shift(shiftFor(m)) {}
  unsigned long operator()(std::uint32_t channel) const {
    return (shift >= 0 ? channel << shift : channel >> -shift) & mask;
  }
};

// Our windows by id. A fixed table of atomics rather than a per-thread list:
// a thread_local in a library loaded at run time is allocated on first use,
// and when that allocation fails the C library ends the process. Each window
// is used only on the thread that made it, and ids are unique on a server, so
// a lookup only ever matches the caller's own entry. One slot per connection
// is enough: each window has a connection of its own.
struct RegisteredWindow {
  std::atomic<Window> id{0};
  std::atomic<X11ChildWindow*> child{nullptr};
};
RegisteredWindow registeredWindows[X11Connection::kMaximumConnections];

bool registerWindow(Window id, X11ChildWindow* child) {
  for (RegisteredWindow& entry : registeredWindows) {
    Window empty = 0;
    if (entry.id.compare_exchange_strong(empty, id, std::memory_order_relaxed)) {
      entry.child.store(child, std::memory_order_relaxed);
      return true;
    }
  }
  return false;
}

void unregisterWindow(Window id) {
  for (RegisteredWindow& entry : registeredWindows) {
    if (entry.id.load(std::memory_order_relaxed) != id) continue;
    entry.child.store(nullptr, std::memory_order_relaxed);
    entry.id.store(0, std::memory_order_relaxed);
  }
}

GuiRect unite(const GuiRect& a, const GuiRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

std::unique_ptr<X11ChildWindow> X11ChildWindow::create(Window parent, std::int32_t width, std::int32_t height,
                                                       Listener& listener) {
  if (!parent || width <= 0 || height <= 0) return nullptr;
  auto connection = X11Connection::open();
  if (!connection) return nullptr;
  std::unique_ptr<X11ChildWindow> child(new X11ChildWindow(std::move(connection), listener));
  // Cairo answers a size or an allocation it refuses with an image in error,
  // whose pixels are null.
  child->image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(child->image) != CAIRO_STATUS_SUCCESS) return nullptr;
  Display* display = child->display();

  XSetWindowAttributes attributes{};
  attributes.event_mask = kEventMask;
  attributes.background_pixmap = None;
  const Window window =
      XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                    CopyFromParent, InputOutput, CopyFromParent, CWEventMask | CWBackPixmap, &attributes);
  XWindowAttributes created{};
  // A parent that names no window fails the creation; the id that came back
  // names nothing then, and the attributes query fails with it.
  if (!child->connection->syncAndCheck() || !XGetWindowAttributes(display, window, &created)) return nullptr;
  child->window = window;
  child->alive = true;
  child->windowVisual = created.visual;
  child->windowDepth = created.depth;
  child->windowWidth = width;
  child->windowHeight = height;
  if (!registerWindow(window, child.get())) return nullptr;
  XMapWindow(display, window);
  // The exposure of the mapping is queued once the server has mapped the
  // window: the host's next idle call paints it.
  XSync(display, False);
  return child;
}

X11ChildWindow::X11ChildWindow(std::unique_ptr<X11Connection> ownConnection, Listener& eventListener)
    : connection(std::move(ownConnection)), listener(eventListener) {}

X11ChildWindow* X11ChildWindow::find(Window id) {
  if (id == 0) return nullptr;
  for (const RegisteredWindow& entry : registeredWindows) {
    if (entry.id.load(std::memory_order_relaxed) == id) return entry.child.load(std::memory_order_relaxed);
  }
  return nullptr;
}

// The window goes with the connection, closed right after: closing destroys
// what the connection made, and sends nothing that could fail on a window the
// host has destroyed meanwhile.
X11ChildWindow::~X11ChildWindow() {
  if (window) unregisterWindow(window);
  if (image) cairo_surface_destroy(image);
}

void X11ChildWindow::processPendingEvents() {
  Display* x = display();
  while (XPending(x) > 0) {
    XEvent event;
    XNextEvent(x, &event);
    handle(event);
  }
  reportExposure();
}

void X11ChildWindow::processPendingExposures() {
  XEvent event;
  while (XCheckTypedWindowEvent(display(), window, Expose, &event)) handle(event);
  // Exposures queued behind other events still wait; the next full pass takes them.
  reportExposure();
}

void X11ChildWindow::reportExposure() {
  if (!exposurePending) return;
  exposurePending = false;
  if (alive) listener.onExpose(exposed);
}

void X11ChildWindow::handle(XEvent& event) {
  if (event.xany.window != window) return;
  switch (event.type) {
    case Expose: {
      const XExposeEvent& e = event.xexpose;
      const GuiRect area{e.x, e.y, e.x + e.width, e.y + e.height};
      exposed = exposurePending ? unite(exposed, area) : area;
      exposurePending = true;
      break;
    }
    case ButtonPress:
      // The keyboard's focus stays where it is: the host's.
      if (alive) listener.onButtonPress(event.xbutton);
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window != window || !alive) break;
      alive = false;
      exposurePending = false;
      listener.onDestroyed();
      break;
    default: break;
  }
}

void X11ChildWindow::show(const GuiRect& area) const {
  const GuiRect r{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, windowWidth),
                  std::min(area.bottom, windowHeight)};
  if (!alive || r.right <= r.left || r.bottom <= r.top) return;
  Display* x = display();
  XImage* shown = XCreateImage(x, windowVisual, static_cast<unsigned>(windowDepth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(r.width()), static_cast<unsigned>(r.height()), 32, 0);
  if (!shown) return;
  shown->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(shown->bytes_per_line) * r.height()));
  if (!shown->data) {
    XDestroyImage(shown);
    return;
  }
  // Pixel by pixel into the window's own format, whatever its masks and order.
  // Bits of the depth outside the colour masks are alpha (a 32-bit visual):
  // all set, so a compositor shows the panel opaque.
  const unsigned long colourBits = windowVisual->red_mask | windowVisual->green_mask | windowVisual->blue_mask;
  const unsigned long depthBits = windowDepth >= 32 ? 0xFFFFFFFFul : (1ul << windowDepth) - 1;
  const unsigned long opaque = depthBits & ~colourBits;
  const ChannelPlace red(windowVisual->red_mask), green(windowVisual->green_mask), blue(windowVisual->blue_mask);
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < r.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + (r.top + y) * stride) + r.left;
    for (int x0 = 0; x0 < r.width(); ++x0) {
      const std::uint32_t colour = row[x0];
      XPutPixel(shown, x0, y, opaque | red(colour >> 16 & 0xFF) | green(colour >> 8 & 0xFF) | blue(colour & 0xFF));
    }
  }
  GC gc = XCreateGC(x, window, 0, nullptr);
  XPutImage(x, window, gc, shown, 0, 0, r.left, r.top, static_cast<unsigned>(r.width()),
            static_cast<unsigned>(r.height()));
  XFreeGC(x, gc);
  XDestroyImage(shown);
  XSync(x, False);
}
