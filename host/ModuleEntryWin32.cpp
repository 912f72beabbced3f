#include <windows.h>

#include "host/PluginMain.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  moduleInstance = instance;
  return TRUE;
}
