#pragma once
// What the window system needs set up on the thread that owns editor windows,
// held for as long as an editor or a frame lives on it: OLE on Windows (drag
// and drop), nothing on X11. Set-ups nest; each undoes only its own.

class GuiThreadSetup final {
public:
  GuiThreadSetup();
  ~GuiThreadSetup();

  GuiThreadSetup(const GuiThreadSetup&) = delete;
  GuiThreadSetup& operator=(const GuiThreadSetup&) = delete;

private:
  // A thread whose COM was set up otherwise refuses OLE; its count is not ours to lower.
  bool initialised = false;
};
