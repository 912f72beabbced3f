#include "tests/reliability/AudioThreadProbe.h"

#include <atomic>

#include "tools/standin/StandInHost.h"

#if defined(LUMIVANE_PROBE_COUNTS)
#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>

#include <cstddef>
#include <new>

#include "tests/reliability/GlibcAllocator.h"
#endif

namespace {
std::atomic<long> allocationCount{0};
std::atomic<long> lockCount{0};
thread_local int processingDepth = 0;

[[maybe_unused]] bool watching() { return processingDepth > 0 && !StandInHost::answeringOnThisThread(); }
[[maybe_unused]] void noteAllocation() {
  if (watching()) allocationCount.fetch_add(1, std::memory_order_relaxed);
}
[[maybe_unused]] void noteLock() {
  if (watching()) lockCount.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

namespace AudioThreadProbe {

#if defined(LUMIVANE_PROBE_COUNTS)
bool available() { return true; }
#else
bool available() { return false; }
#endif

Counts counts() { return Counts{allocationCount.load(), lockCount.load()}; }

void reset() {
  allocationCount = 0;
  lockCount = 0;
}

ProcessingScope::ProcessingScope() { ++processingDepth; }
ProcessingScope::~ProcessingScope() { --processingDepth; }

}  // namespace AudioThreadProbe

#if defined(LUMIVANE_PROBE_COUNTS)
// The allocator.
extern "C" {
void* malloc(std::size_t size) noexcept {
  noteAllocation();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
  noteAllocation();
  return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) noexcept {
  noteAllocation();
  return __libc_realloc(block, size);
}
void free(void* block) noexcept {
  if (block != nullptr) noteAllocation();
  __libc_free(block);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
  noteAllocation();
  return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
  noteAllocation();
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** result, std::size_t alignment, std::size_t size) noexcept {
  noteAllocation();
  void* block = __libc_memalign(alignment, size);
  if (block == nullptr) return 12;  // ENOMEM
  *result = block;
  return 0;
}
}  // extern "C"

void* operator new(std::size_t size) {
  void* block = malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return malloc(size == 0 ? 1 : size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return malloc(size == 0 ? 1 : size); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, std::size_t) noexcept { free(block); }
void operator delete[](void* block, std::size_t) noexcept { free(block); }

// The lock entry points: counted, then handed to the next definition (libc's).
namespace {
// Looked up on first use without a guarded static, whose guard could itself lock.
template <typename Function>
Function* nextDefinition(std::atomic<void*>& cached, Function*, const char* name) {
  void* next = cached.load(std::memory_order_relaxed);
  if (next == nullptr) {
    next = dlsym(RTLD_NEXT, name);
    cached.store(next, std::memory_order_relaxed);
  }
  return reinterpret_cast<Function*>(next);
}
}  // namespace

#define LUMIVANE_COUNTED_LOCK(name, Object, ...)        \
  extern "C" int name(Object* object) __VA_ARGS__ {     \
    static std::atomic<void*> cached{nullptr};          \
    noteLock();                                         \
    return nextDefinition(cached, name, #name)(object); \
  }

LUMIVANE_COUNTED_LOCK(pthread_mutex_lock, pthread_mutex_t, noexcept)
LUMIVANE_COUNTED_LOCK(pthread_mutex_trylock, pthread_mutex_t, noexcept)
LUMIVANE_COUNTED_LOCK(pthread_rwlock_rdlock, pthread_rwlock_t, noexcept)
LUMIVANE_COUNTED_LOCK(pthread_rwlock_wrlock, pthread_rwlock_t, noexcept)
LUMIVANE_COUNTED_LOCK(pthread_rwlock_tryrdlock, pthread_rwlock_t, noexcept)
LUMIVANE_COUNTED_LOCK(pthread_rwlock_trywrlock, pthread_rwlock_t, noexcept)
LUMIVANE_COUNTED_LOCK(pthread_spin_lock, pthread_spinlock_t, noexcept)
LUMIVANE_COUNTED_LOCK(sem_wait, sem_t)

extern "C" int pthread_cond_wait(pthread_cond_t* condition, pthread_mutex_t* mutex) {
  static std::atomic<void*> cached{nullptr};
  noteLock();
  return nextDefinition(cached, pthread_cond_wait, "pthread_cond_wait")(condition, mutex);
}
#endif
