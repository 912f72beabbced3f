#include "gui/x11/X11Connection.h"

#include <atomic>
#include <mutex>

namespace {

// Xlib has one error handler per process, shared with the host and with other
// plug-ins. Ours is installed while any of our connections is open; errors of
// displays that are not ours go on to the handler we found.
std::mutex installMutex;
int openConnections = 0;
std::atomic<XErrorHandler> previousHandler{nullptr};

// Our open connections and the first error of each since its last check. The
// handler runs on whichever thread reads an error from a connection, so it
// finds them here without a lock.
struct Slot {
  std::atomic<Display*> display{nullptr};
  std::atomic<int> firstError{0};
};
Slot slots[X11Connection::kMaximumConnections];

int claimSlot(Display* display) {
  for (int i = 0; i < X11Connection::kMaximumConnections; ++i) {
    Display* empty = nullptr;
    if (slots[i].display.compare_exchange_strong(empty, display, std::memory_order_relaxed)) {
      slots[i].firstError.store(0, std::memory_order_relaxed);
      return i;
    }
  }
  return -1;
}

}  // namespace

std::unique_ptr<X11Connection> X11Connection::open() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  const int slot = claimSlot(display);
  if (slot < 0) {
    XCloseDisplay(display);
    return nullptr;
  }
  return std::unique_ptr<X11Connection>(new X11Connection(display, slot));
}

X11Connection::X11Connection(Display* display, int claimedSlot) : connection(display), slot(claimedSlot) {
  std::lock_guard<std::mutex> lock(installMutex);
  if (openConnections++ == 0) {
    previousHandler.store(XSetErrorHandler(&X11Connection::onError), std::memory_order_relaxed);
  }
}

X11Connection::~X11Connection() {
  // Errors of requests still in flight arrive while the connection closes, so
  // it stays ours until it is gone.
  XCloseDisplay(connection);
  slots[slot].display.store(nullptr, std::memory_order_relaxed);
  std::lock_guard<std::mutex> lock(installMutex);
  if (--openConnections > 0) return;
  // Somebody who installed a handler after us keeps it.
  const XErrorHandler current = XSetErrorHandler(previousHandler.load(std::memory_order_relaxed));
  if (current != &X11Connection::onError) XSetErrorHandler(current);
}

bool X11Connection::syncAndCheck() {
  XSync(connection, False);
  return slots[slot].firstError.exchange(0, std::memory_order_relaxed) == 0;
}

int X11Connection::onError(Display* display, XErrorEvent* error) {
  for (Slot& ours : slots) {
    if (ours.display.load(std::memory_order_relaxed) != display) continue;
    int none = 0;
    ours.firstError.compare_exchange_strong(none, error->error_code, std::memory_order_relaxed);
    return 0;
  }
  const XErrorHandler next = previousHandler.load(std::memory_order_relaxed);
  return next ? next(display, error) : 0;
}
