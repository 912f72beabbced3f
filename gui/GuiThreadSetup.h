#pragma once
// What the window system needs set up on the thread that owns editor windows,
// held for as long as a frame lives on it: OLE on Windows (drag and drop),
// nothing on X11. Set-ups nest; each undoes only its own, and only on the
// thread that made it, so a host's own set-up of that thread or another one
// stays as the host left it.

#include <cstdint>

class GuiThreadSetup final {
public:
  GuiThreadSetup();
  ~GuiThreadSetup();

  GuiThreadSetup(const GuiThreadSetup&) = delete;
  GuiThreadSetup& operator=(const GuiThreadSetup&) = delete;

  // Whether the thread takes a drop target: OLE set up by this set-up. Never on X11.
  bool allowsDropTarget() const { return initialised; }

private:
  // A thread whose COM was set up otherwise refuses OLE; its count is not ours to lower.
  bool initialised = false;
  // The thread that made the set-up: another thread's count is not ours to lower either.
  std::uint32_t setupThread = 0;
};
