// The plug-in DLL carries its own C++ runtime, whose allocation functions end
// in the C library's malloc family, imported from a system DLL. The stand-ins
// take the place of those imports in the plug-in's import table.
#include "tests/reliability/FailingAllocator.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>

using FailingAllocator::grantAllocation;
using FailingAllocator::noteFreed;
using FailingAllocator::noteGranted;

namespace {
// Only the plug-in's own calls reach the stand-ins.
constexpr FailingAllocator::Caller kPlugin = FailingAllocator::Caller::Plugin;

using MallocFunction = void*(__cdecl*)(std::size_t);
using CallocFunction = void*(__cdecl*)(std::size_t, std::size_t);
using ReallocFunction = void*(__cdecl*)(void*, std::size_t);
using FreeFunction = void(__cdecl*)(void*);

MallocFunction systemMalloc = nullptr;
CallocFunction systemCalloc = nullptr;
ReallocFunction systemRealloc = nullptr;
FreeFunction systemFree = nullptr;

void* __cdecl failingMalloc(std::size_t size) {
  if (!grantAllocation(kPlugin)) return nullptr;
  void* block = systemMalloc(size);
  noteGranted(block, kPlugin);
  return block;
}

void* __cdecl failingCalloc(std::size_t count, std::size_t size) {
  if (!grantAllocation(kPlugin)) return nullptr;
  void* block = systemCalloc(count, size);
  noteGranted(block, kPlugin);
  return block;
}

void* __cdecl failingRealloc(void* block, std::size_t size) {
  if (block == nullptr) return failingMalloc(size);
  if (!grantAllocation(kPlugin)) return nullptr;
  return systemRealloc(block, size);
}

void __cdecl failingFree(void* block) {
  noteFreed(block, kPlugin);
  systemFree(block);
}

struct Replacement {
  const char* name;
  void** original;
  void* standIn;
};

void replaceImport(ULONG_PTR* slot, const Replacement& replacement) {
  DWORD oldProtection;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection);
  *replacement.original = reinterpret_cast<void*>(*slot);
  *slot = reinterpret_cast<ULONG_PTR>(replacement.standIn);
  VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
}

void replaceImports(HMODULE module) {
  const Replacement replacements[] = {
      {"malloc", reinterpret_cast<void**>(&systemMalloc), reinterpret_cast<void*>(&failingMalloc)},
      {"calloc", reinterpret_cast<void**>(&systemCalloc), reinterpret_cast<void*>(&failingCalloc)},
      {"realloc", reinterpret_cast<void**>(&systemRealloc), reinterpret_cast<void*>(&failingRealloc)},
      {"free", reinterpret_cast<void**>(&systemFree), reinterpret_cast<void*>(&failingFree)},
  };
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* headers =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); library->Name != 0;
       ++library) {
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* imported = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      for (const Replacement& replacement : replacements) {
        if (std::strcmp(reinterpret_cast<const char*>(imported->Name), replacement.name) != 0) continue;
        replaceImport(&slots->u1.Function, replacement);
      }
    }
  }
}
}  // namespace

// Once the plug-in is loaded; before, nothing is counted, which a test sees.
void FailingAllocator::interpose() {
  static bool done = false;
  if (done) return;
  const std::string path = LUMIVANE_PLUGIN_PATH;
  const std::size_t slash = path.find_last_of("/\\");
  HMODULE plugin = GetModuleHandleA(path.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
  if (plugin == nullptr) return;
  replaceImports(plugin);
  done = true;
}
