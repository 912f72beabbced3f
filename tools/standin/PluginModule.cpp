#include "tools/standin/PluginModule.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {
#if defined(_WIN32)
// Wine maps the Unix root to drive Z:; a path from the build tree arrives as a Unix path.
std::string windowsPath(const std::string& path) {
  std::string converted = path.size() > 1 && path[0] == '/' ? "Z:" + path : path;
  for (char& c : converted)
    if (c == '/') c = '\\';
  return converted;
}

void* openLibrary(const std::string& path) { return LoadLibraryA(windowsPath(path).c_str()); }
void* findSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
std::string lastError() { return "error " + std::to_string(GetLastError()); }
#else
void* openLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void* findSymbol(void* library, const char* name) { return dlsym(library, name); }
void closeLibrary(void* library) { dlclose(library); }
std::string lastError() {
  const char* reason = dlerror();
  return reason ? reason : "unknown reason";
}
#endif
}  // namespace

PluginModule::PluginModule(const std::string& path) {
  handle = openLibrary(path);
  if (handle == nullptr) throw PluginLoadError("cannot load plug-in " + path + ": " + lastError());
  void* symbol = findSymbol(handle, "VSTPluginMain");
  if (symbol == nullptr) symbol = findSymbol(handle, "main");
  if (symbol == nullptr) {
    closeLibrary(handle);
    throw PluginLoadError(path + " is not a VST 2 plug-in: it exports neither VSTPluginMain nor main");
  }
  entryProc = reinterpret_cast<PluginEntryProc>(symbol);
}

PluginModule::~PluginModule() { closeLibrary(handle); }
