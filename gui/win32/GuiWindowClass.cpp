#include "gui/win32/GuiWindowClass.h"

#include <windows.h>

#include <cstdio>

#include "gui/win32/GuiFrameWindowProc.h"

namespace {

char windowClassName[32];
std::int32_t classUseCount = 0;

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
  if (classUseCount++ != 0) return true;
  formatClassName(moduleInstance(), windowClassName, sizeof windowClassName);
  WNDCLASSA description{};
  description.style = CS_GLOBALCLASS;
  description.lpfnWndProc = frameWindowProc;
  description.hInstance = static_cast<HINSTANCE>(moduleInstance());
  description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  description.lpszClassName = windowClassName;
  RegisterClassA(&description);
  return true;
}

void GuiWindowClass::unregisterWindowClass() {
  if (classUseCount <= 0) return;
  if (--classUseCount == 0) UnregisterClassA(windowClassName, static_cast<HINSTANCE>(moduleInstance()));
}

const char* GuiWindowClass::className() { return windowClassName; }

std::int32_t GuiWindowClass::useCount() { return classUseCount; }
