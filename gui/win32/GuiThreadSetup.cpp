#include "gui/GuiThreadSetup.h"

#include <ole2.h>

// S_OK and S_FALSE both count one use of the thread's OLE; RPC_E_CHANGED_MODE
// (the host chose the multithreaded apartment) counts none, and the frame then
// goes without its drop target.
GuiThreadSetup::GuiThreadSetup() : initialised(SUCCEEDED(OleInitialize(nullptr))), setupThread(GetCurrentThreadId()) {}

GuiThreadSetup::~GuiThreadSetup() {
  // Undone elsewhere it would tear down that thread's OLE and leave this one's
  // set up: a frame destroyed on a foreign thread leaves its count in place.
  if (initialised && GetCurrentThreadId() == setupThread) OleUninitialize();
}
