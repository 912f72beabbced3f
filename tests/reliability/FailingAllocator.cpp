#include "tests/reliability/FailingAllocator.h"

#include <atomic>

namespace {
std::atomic<bool> armed{false};
std::atomic<bool> pluginOnlyArmed{false};
std::atomic<long> failAtCount{0};
std::atomic<long> allocationCount{0};
std::atomic<long> heldCount{0};
}  // namespace

namespace FailingAllocator {

void arm(long failAt, bool pluginOnly) {
  interpose();
  pluginOnlyArmed = pluginOnly;
  failAtCount = failAt;
  allocationCount = 0;
  heldCount = 0;
  armed = true;
}

Tally disarm() {
  armed = false;
  return Tally{allocationCount.load(), heldCount.load()};
}

namespace {
bool counted(Caller caller) {
  return armed.load(std::memory_order_relaxed) &&
         (caller == Caller::Plugin || !pluginOnlyArmed.load(std::memory_order_relaxed));
}
}  // namespace

bool grantAllocation(Caller caller) {
  if (!counted(caller)) return true;
  const long number = allocationCount.fetch_add(1, std::memory_order_relaxed) + 1;
  return number != failAtCount.load(std::memory_order_relaxed);
}

void noteGranted(void* block, Caller caller) {
  if (block != nullptr && counted(caller)) heldCount.fetch_add(1, std::memory_order_relaxed);
}

void noteFreed(void* block, Caller caller) {
  if (block != nullptr && counted(caller)) heldCount.fetch_sub(1, std::memory_order_relaxed);
}

}  // namespace FailingAllocator
