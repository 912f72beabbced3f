// The test program's own allocation functions, which the plug-in library
// finds before the C library's and the C++ runtime's. The C++ ones stand for
// the plug-in's own code; natively the malloc family is replaced too, so that
// allocations inside the C library on the plug-in's behalf count as well
// (under a sanitizer, which owns malloc, they are left to it).
#include "tests/reliability/FailingAllocator.h"

#include <cstddef>
#include <cstdlib>
#include <new>

using FailingAllocator::Caller;
using FailingAllocator::grantAllocation;
using FailingAllocator::noteFreed;
using FailingAllocator::noteGranted;

// Linked in, they are in place from the start.
void FailingAllocator::interpose() {}

#if defined(LUMIVANE_SANITIZED)
namespace {
void* systemMalloc(std::size_t size) { return std::malloc(size); }
void systemFree(void* block) { std::free(block); }
}  // namespace
#else
#include "tests/reliability/GlibcAllocator.h"

namespace {
void* systemMalloc(std::size_t size) { return __libc_malloc(size); }
void systemFree(void* block) { __libc_free(block); }
}  // namespace

extern "C" {
void* malloc(std::size_t size) noexcept {
  if (!grantAllocation(Caller::Anyone)) return nullptr;
  void* block = __libc_malloc(size);
  noteGranted(block, Caller::Anyone);
  return block;
}
void* calloc(std::size_t count, std::size_t size) noexcept {
  if (!grantAllocation(Caller::Anyone)) return nullptr;
  void* block = __libc_calloc(count, size);
  noteGranted(block, Caller::Anyone);
  return block;
}
void* realloc(void* block, std::size_t size) noexcept {
  if (block == nullptr) return malloc(size);
  if (!grantAllocation(Caller::Anyone)) return nullptr;
  return __libc_realloc(block, size);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
  if (!grantAllocation(Caller::Anyone)) return nullptr;
  void* block = __libc_memalign(alignment, size);
  noteGranted(block, Caller::Anyone);
  return block;
}
void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept { return memalign(alignment, size); }
int posix_memalign(void** result, std::size_t alignment, std::size_t size) noexcept {
  void* block = memalign(alignment, size);
  if (block == nullptr) return 12;  // ENOMEM
  *result = block;
  return 0;
}
void free(void* block) noexcept {
  noteFreed(block, Caller::Anyone);
  __libc_free(block);
}
}  // extern "C"
#endif

namespace {
void* allocate(std::size_t size) {
  if (!grantAllocation(Caller::Plugin)) return nullptr;
  void* block = systemMalloc(size == 0 ? 1 : size);
  noteGranted(block, Caller::Plugin);
  return block;
}
void release(void* block) {
  noteFreed(block, Caller::Plugin);
  systemFree(block);
}
}  // namespace

void* operator new(std::size_t size) {
  void* block = allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }
