#include "gui/win32/GuiShortcut.h"

#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>

namespace {

constexpr char kShortcutExtension[] = ".lnk";
constexpr std::size_t kWidePathSize = 2048;
// SLR_NO_UI | SLR_ANY_MATCH, with a time-out of 500 ms in the high word.
constexpr DWORD kResolveFlags = 0x01F40003;

bool isShortcutName(const char* path) {
  const char* dot = std::strrchr(path, '.');
  return dot && lstrcmpiA(dot, kShortcutExtension) == 0;
}

}  // namespace

bool resolveShortcut(const char* path, char* target) {
  if (!path || !target || !isShortcutName(path)) return false;

  IShellLinkA* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link));
  if (FAILED(result)) return false;

  // Resolved into a buffer of its own, so that a failure leaves the name as it was.
  char resolved[kDroppedPathSize] = {};
  IPersistFile* file = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(result)) {
    WCHAR widePath[kWidePathSize] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, kWidePathSize);
    result = file->Load(widePath, STGM_READ);
    if (SUCCEEDED(result)) result = link->Resolve(nullptr, kResolveFlags);
    if (SUCCEEDED(result)) {
      WIN32_FIND_DATAA found;
      result = link->GetPath(resolved, kDroppedPathSize, &found, SLGP_SHORTPATH);
    }
    file->Release();
  }
  link->Release();

  // GetPath answers S_FALSE with an empty path for links to no file.
  if (result != S_OK || resolved[0] == '\0') return false;
  std::memcpy(target, resolved, kDroppedPathSize);
  return true;
}
