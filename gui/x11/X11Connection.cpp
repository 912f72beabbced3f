#include "gui/x11/X11Connection.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace {

// Xlib has one error handler per process, shared with the host and with other
// plug-ins. Ours is installed while any of our connections is open; errors of
// displays that are not ours go on to the handler we found.
std::mutex installMutex;
int openConnections = 0;
// Read by the handler on whichever thread an error arrives.
std::atomic<XErrorHandler> previousHandler{nullptr};

// An error is delivered on the thread that reads it from the connection, and
// each of our connections is used only on the thread that opened it.
thread_local std::vector<X11Connection*> connectionsOfThisThread;

}  // namespace

std::unique_ptr<X11Connection> X11Connection::open() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  return std::unique_ptr<X11Connection>(new X11Connection(display));
}

X11Connection::X11Connection(Display* display) : connection(display) {
  connectionsOfThisThread.push_back(this);
  std::lock_guard<std::mutex> lock(installMutex);
  if (openConnections++ == 0) {
    previousHandler.store(XSetErrorHandler(&X11Connection::onError), std::memory_order_relaxed);
  }
}

X11Connection::~X11Connection() {
  // Errors of requests still in flight arrive while the connection closes, so
  // it stays ours until it is gone.
  XCloseDisplay(connection);
  auto& ours = connectionsOfThisThread;
  ours.erase(std::remove(ours.begin(), ours.end(), this), ours.end());
  std::lock_guard<std::mutex> lock(installMutex);
  if (--openConnections > 0) return;
  // Somebody who installed a handler after us keeps it.
  const XErrorHandler current = XSetErrorHandler(previousHandler.load(std::memory_order_relaxed));
  if (current != &X11Connection::onError) XSetErrorHandler(current);
}

bool X11Connection::syncAndCheck() {
  XSync(connection, False);
  const bool clean = firstError == 0;
  firstError = 0;
  return clean;
}

int X11Connection::onError(Display* display, XErrorEvent* error) {
  for (X11Connection* ours : connectionsOfThisThread) {
    if (ours->connection != display) continue;
    if (ours->firstError == 0) ours->firstError = error->error_code;
    return 0;
  }
  const XErrorHandler next = previousHandler.load(std::memory_order_relaxed);
  return next ? next(display, error) : 0;
}
