#include "gui/win32/GuiWindowClass.h"

#include <windows.h>

#include <cstdio>

#include "gui/win32/GuiFrameWindowProc.h"

namespace {

// Written once, under the lock, before the first registration; read by the
// holders of a use.
char windowClassName[32];
std::int32_t classUseCount = 0;
// A slim lock: the standard mutex of this tool chain allocates at its first
// lock and throws when that fails; this one needs nothing and cannot fail.
SRWLOCK classLock = SRWLOCK_INIT;

class ClassLockHold final {
public:
  ClassLockHold() { AcquireSRWLockExclusive(&classLock); }
  ~ClassLockHold() { ReleaseSRWLockExclusive(&classLock); }
  ClassLockHold(const ClassLockHold&) = delete;
  ClassLockHold& operator=(const ClassLockHold&) = delete;
};

// The name is registered already: ours when a window of ours outlived its
// class's last use (destroyed from a thread that did not own it), and usable;
// another module's when its window procedure is not ours.
bool isOurClassRegistered(HINSTANCE instance) {
  WNDCLASSA found;
  return GetClassInfoA(instance, windowClassName, &found) != 0 && found.lpfnWndProc == frameWindowProc;
}

}  // namespace

void* GuiWindowClass::moduleInstance() {
  // The module this code is linked into: the plug-in's DLL, or a test program.
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&frameWindowProc), &module);
  return module;
}

void GuiWindowClass::formatClassName(const void* instance, char* buffer, std::size_t size) {
  // The whole handle: on 64-bit Windows its upper half tells modules apart too.
  std::snprintf(buffer, size, "Plugin%08llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(instance)));
}

bool GuiWindowClass::registerWindowClass() {
  const ClassLockHold hold;
  if (classUseCount != 0) {
    ++classUseCount;
    return true;
  }
  const auto instance = static_cast<HINSTANCE>(moduleInstance());
  if (windowClassName[0] == '\0') formatClassName(instance, windowClassName, sizeof windowClassName);
  WNDCLASSA description{};
  description.style = CS_GLOBALCLASS;
  description.lpfnWndProc = frameWindowProc;
  description.hInstance = instance;
  description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  description.lpszClassName = windowClassName;
  if (RegisterClassA(&description) == 0 && !isOurClassRegistered(instance)) return false;
  classUseCount = 1;
  return true;
}

void GuiWindowClass::unregisterWindowClass() {
  const ClassLockHold hold;
  if (classUseCount <= 0) return;
  if (--classUseCount == 0) UnregisterClassA(windowClassName, static_cast<HINSTANCE>(moduleInstance()));
}

const char* GuiWindowClass::className() { return windowClassName; }

std::int32_t GuiWindowClass::useCount() {
  const ClassLockHold hold;
  return classUseCount;
}
