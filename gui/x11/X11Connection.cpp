#include "gui/x11/X11Connection.h"

#include <atomic>
#include <new>

// Last: it defines min and max as macros.
#include <X11/Xlibint.h>

namespace {

// Our open connections and the first error of each since its last check.
// Errors are read on whichever thread reads from a connection, so the hook
// below finds them here without a lock.
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

// Xlib hands every error of a connection to that connection's own conversion
// hook before the process-wide handler, and drops it when the hook answers
// False. Hooking our connections alone keeps their errors from the host and
// leaves the process-wide handler, which the host and other libraries install
// and chain, untouched: nobody's chain can pass through us, and no error of
// ours depends on which handler is in place when it arrives.
Bool keepError(Display* display, XErrorEvent* error, xError*) {
  for (Slot& ours : slots) {
    if (ours.display.load(std::memory_order_relaxed) != display) continue;
    int none = 0;
    ours.firstError.compare_exchange_strong(none, error->error_code, std::memory_order_relaxed);
    break;
  }
  return False;
}

// Every error code, extensions' included.
constexpr int kErrorCodes = 256;

bool hookErrors(Display* display) {
  for (int code = 0; code < kErrorCodes; ++code) XESetWireToError(display, code, &keepError);
  // Xlib makes the hooks' table at the first call and leaves none when that
  // allocation fails: the hook is in place only if it is found there now.
  return XESetWireToError(display, 0, &keepError) == &keepError;
}

}  // namespace

std::unique_ptr<X11Connection> X11Connection::open() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  const int slot = hookErrors(display) ? claimSlot(display) : -1;
  X11Connection* connection = slot < 0 ? nullptr : new (std::nothrow) X11Connection(display, slot);
  if (!connection) {
    if (slot >= 0) slots[slot].display.store(nullptr, std::memory_order_relaxed);
    XCloseDisplay(display);
  }
  return std::unique_ptr<X11Connection>(connection);
}

X11Connection::~X11Connection() {
  // The slot goes first: once the display is closed, another thread may open
  // one at the same address. Errors that arrive while it closes still end in
  // the hook, unrecorded.
  slots[slot].display.store(nullptr, std::memory_order_relaxed);
  XCloseDisplay(connection);
}

bool X11Connection::syncAndCheck() {
  XSync(connection, False);
  return slots[slot].firstError.exchange(0, std::memory_order_relaxed) == 0;
}
