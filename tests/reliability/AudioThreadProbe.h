#pragma once
// Watches what the plug-in asks of the allocator and of locks while it
// processes: the test program replaces the allocator and the lock entry points
// and counts the calls made on a thread inside a ProcessingScope. The host's
// own answers to the plug-in's requests are left out.

namespace AudioThreadProbe {

struct Counts {
  long allocations = 0;  // malloc family, operator new and delete
  long locks = 0;        // mutex, read-write lock, spin lock, semaphore, condition waits
};

// False where the counting cannot work: on Windows, whose plug-in carries its
// own runtime, and under sanitizers, which own the allocator and the locks.
bool available();

Counts counts();
void reset();

// Marks the calling thread as the processing thread for its lifetime.
class ProcessingScope {
public:
  ProcessingScope();
  ~ProcessingScope();
  ProcessingScope(const ProcessingScope&) = delete;
  ProcessingScope& operator=(const ProcessingScope&) = delete;
};

}  // namespace AudioThreadProbe
