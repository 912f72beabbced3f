#pragma once
// One connection to the X server, owned by one editor window. Errors that the
// server reports for requests on this connection are recorded here and go no
// further: they never reach the process's error handler, which is the host's
// (Xlib's default one ends the whole process).

#include <X11/Xlib.h>

#include <memory>

class X11Connection final {
public:
  // How many connections may be open at once, errors kept apart for each.
  static constexpr int kMaximumConnections = 64;

  // Null when there is no display (DISPLAY unset or unreachable), or when
  // more connections are open than errors can be kept apart for.
  static std::unique_ptr<X11Connection> open();
  ~X11Connection();

  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;

  Display* display() const { return connection; }
  // Waits until the server has handled every request sent so far; false when
  // any request since the last check failed. Clears the record.
  bool syncAndCheck();

private:
  X11Connection(Display* display, int claimedSlot) : connection(display), slot(claimedSlot) {}

  Display* connection;
  int slot;
};
