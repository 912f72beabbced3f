#include "gui/GuiDesktopScale.h"

#include <windows.h>

namespace {

constexpr float kStandardDpi = 96.0f;
// DPI_AWARENESS_PER_MONITOR_AWARE.
constexpr int kPerMonitorAware = 2;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetThreadDpiAwarenessContextFunction = HANDLE(WINAPI*)();
using GetAwarenessFromDpiAwarenessContextFunction = int(WINAPI*)(HANDLE);

template <typename Function>
Function user32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

// Only a per-monitor aware thread gets the monitor's pixels; any other is
// stretched by Windows as the host's windows are. The functions are looked up
// so that Windows versions without them still load the module.
float guiDesktopScale(GuiNativeWindow parent) {
  if (!parent) return 0.0f;
  const auto threadContext = user32Function<GetThreadDpiAwarenessContextFunction>("GetThreadDpiAwarenessContext");
  const auto awarenessOf =
      user32Function<GetAwarenessFromDpiAwarenessContextFunction>("GetAwarenessFromDpiAwarenessContext");
  const auto dpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (!threadContext || !awarenessOf || !dpiForWindow) return 0.0f;
  if (awarenessOf(threadContext()) != kPerMonitorAware) return 0.0f;
  const UINT dpi = dpiForWindow(static_cast<HWND>(parent));
  return dpi > 0 ? static_cast<float>(dpi) / kStandardDpi : 0.0f;
}
