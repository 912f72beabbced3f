#include "gui/x11/X11ChildWindow.h"

#include <algorithm>

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask;

GuiRect unite(const GuiRect& a, const GuiRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

std::unique_ptr<X11ChildWindow> X11ChildWindow::create(Window parent, std::int32_t width, std::int32_t height,
                                                       Listener& listener) {
  if (!parent || width <= 0 || height <= 0) return nullptr;
  auto connection = X11Connection::open();
  if (!connection) return nullptr;
  std::unique_ptr<X11ChildWindow> child(new X11ChildWindow(std::move(connection), listener));
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
  child->windowWidth = width;
  child->windowHeight = height;
  XMapWindow(display, window);
  XFlush(display);
  return child;
}

X11ChildWindow::X11ChildWindow(std::unique_ptr<X11Connection> connection, Listener& listener)
    : connection(std::move(connection)), listener(listener) {}

X11ChildWindow::~X11ChildWindow() {
  // If the host destroyed its window without our hearing of it yet, the
  // request fails harmlessly: the id came from our connection's own range, so
  // it can name nobody else's window.
  if (alive) XDestroyWindow(display(), window);
  connection->syncAndCheck();
}

void X11ChildWindow::processPendingEvents() {
  Display* x = display();
  while (XPending(x) > 0) {
    XEvent event;
    XNextEvent(x, &event);
    handle(event);
  }
  if (exposurePending) {
    exposurePending = false;
    if (alive) listener.onExpose(exposed);
  }
}

void X11ChildWindow::processPendingExposures() {
  XEvent event;
  while (XCheckTypedWindowEvent(display(), window, Expose, &event)) handle(event);
  // Exposures queued behind other events still wait; the next full pass takes them.
  if (exposurePending) {
    exposurePending = false;
    if (alive) listener.onExpose(exposed);
  }
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
      if (!alive) break;
      // A click gives the panel the keyboard, as a click in a host's own
      // controls gives it theirs.
      XSetInputFocus(display(), window, RevertToParent, event.xbutton.time);
      listener.onButtonPress(event.xbutton);
      break;
    case KeyPress:
    case KeyRelease:
      if (alive) listener.onKey(event.xkey);
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window != window || !alive) break;
      alive = false;
      exposurePending = false;
      listener.onDestroyed();
      break;
    default:
      break;
  }
}

GuiPoint X11ChildWindow::screenOrigin() const {
  if (!alive) return {};
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display(), window, DefaultRootWindow(display()), 0, 0, &x, &y, &child);
  return {x, y};
}

bool X11ChildWindow::queryPointer(GuiPoint& onScreen, unsigned& mask) const {
  Window root, child;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  mask = 0;
  const bool found = XQueryPointer(display(), DefaultRootWindow(display()), &root, &child, &rootX, &rootY, &x,
                                   &y, &mask) != False;
  onScreen = {rootX, rootY};
  return found;
}

void X11ChildWindow::flush() const { XSync(display(), False); }
