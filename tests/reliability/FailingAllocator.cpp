#include "tests/reliability/FailingAllocator.h"

#include <atomic>

namespace {
std::atomic<bool> armed{false};
std::atomic<long> failAtCount{0};
std::atomic<long> allocationCount{0};
std::atomic<long> heldCount{0};
}  // namespace

namespace FailingAllocator {

void arm(long failAt) {
  interpose();
  failAtCount = failAt;
  allocationCount = 0;
  heldCount = 0;
  armed = true;
}

Tally disarm() {
  armed = false;
  return Tally{allocationCount.load(), heldCount.load()};
}

bool grantAllocation() {
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

}  // namespace FailingAllocator
