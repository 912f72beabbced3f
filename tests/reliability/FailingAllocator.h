#pragma once
// An allocator that fails on request: while armed it counts the allocations
// the plug-in makes and the blocks it frees, and refuses the allocation with
// the chosen number, as a system out of memory would. Each platform's file
// puts the counting functions in the plug-in's way.

namespace FailingAllocator {

struct Tally {
  long allocations = 0;  // asked for while armed, the refused one included
  long stillHeld = 0;    // granted while armed and not freed since
};

// Counts from now; the failAt-th allocation (from 1) is refused, none if 0.
void arm(long failAt);
Tally disarm();

// For the platform's stand-in allocation functions.
bool grantAllocation();  // false: refuse this one
void noteGranted(void* block);
void noteFreed(void* block);
// Puts the stand-ins in place, once, before the first arming.
void interpose();

}  // namespace FailingAllocator
