// The test program's own allocation functions, which the plug-in library
// finds before the C library's. Natively the malloc family itself is replaced,
// so allocations inside the C library on the plug-in's behalf count too; under
// a sanitizer, which owns malloc, the C++ allocation functions are.
#include "tests/reliability/FailingAllocator.h"

#include <cstddef>
#include <cstdlib>
#include <new>

using FailingAllocator::grantAllocation;
using FailingAllocator::noteFreed;
using FailingAllocator::noteGranted;

// Linked in, they are in place from the start.
void FailingAllocator::interpose() {}

#if defined(LUMIVANE_SANITIZED)
namespace {
void* allocate(std::size_t size) {
  if (!grantAllocation()) return nullptr;
  void* block = std::malloc(size == 0 ? 1 : size);
  noteGranted(block);
  return block;
}
void release(void* block) {
  noteFreed(block);
  std::free(block);
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
#else
#include "tests/reliability/GlibcAllocator.h"

extern "C" {
void* malloc(std::size_t size) noexcept {
  if (!grantAllocation()) return nullptr;
  void* block = __libc_malloc(size);
  noteGranted(block);
  return block;
}
void* calloc(std::size_t count, std::size_t size) noexcept {
  if (!grantAllocation()) return nullptr;
  void* block = __libc_calloc(count, size);
  noteGranted(block);
  return block;
}
void* realloc(void* block, std::size_t size) noexcept {
  if (block == nullptr) return malloc(size);
  if (!grantAllocation()) return nullptr;
  return __libc_realloc(block, size);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
  if (!grantAllocation()) return nullptr;
  void* block = __libc_memalign(alignment, size);
  noteGranted(block);
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
  noteFreed(block);
  __libc_free(block);
}
}  // extern "C"
#endif
