// The test program's own allocator, which the plug-in library finds before the
// C library's. Natively the malloc family itself is replaced, so allocations
// inside the C library on the plug-in's behalf count too; under a sanitizer,
// which owns malloc, the C++ allocation functions are.
#include "tests/reliability/FailingAllocator.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> armed{false};
std::atomic<long> failAtCount{0};
std::atomic<long> allocationCount{0};
std::atomic<long> heldCount{0};

// False when this allocation is the one to refuse.
bool grant() {
  if (!armed.load(std::memory_order_relaxed)) return true;
  const long number = allocationCount.fetch_add(1, std::memory_order_relaxed) + 1;
  return number != failAtCount.load(std::memory_order_relaxed);
}

void noteGranted(void* block) {
  if (block != nullptr && armed.load(std::memory_order_relaxed)) heldCount.fetch_add(1, std::memory_order_relaxed);
}

void noteFreed(void* block) {
  if (block != nullptr && armed.load(std::memory_order_relaxed)) heldCount.fetch_sub(1, std::memory_order_relaxed);
}
}  // namespace

namespace FailingAllocator {
void arm(long failAt) {
  failAtCount = failAt;
  allocationCount = 0;
  heldCount = 0;
  armed = true;
}

Tally disarm() {
  armed = false;
  return Tally{allocationCount.load(), heldCount.load()};
}
}  // namespace FailingAllocator

#if defined(LUMIVANE_SANITIZED)
namespace {
void* allocate(std::size_t size) {
  if (!grant()) return nullptr;
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
// glibc's own entry points stay reachable under these names.
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);

void* malloc(std::size_t size) noexcept {
  if (!grant()) return nullptr;
  void* block = __libc_malloc(size);
  noteGranted(block);
  return block;
}
void* calloc(std::size_t count, std::size_t size) noexcept {
  if (!grant()) return nullptr;
  void* block = __libc_calloc(count, size);
  noteGranted(block);
  return block;
}
void* realloc(void* block, std::size_t size) noexcept {
  if (block == nullptr) return malloc(size);
  if (!grant()) return nullptr;
  return __libc_realloc(block, size);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
  if (!grant()) return nullptr;
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
