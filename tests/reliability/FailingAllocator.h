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

// Who asks for memory: the plug-in's own code (its C++ runtime), or any code
// of the process, the C libraries under the plug-in included.
enum class Caller { Plugin, Anyone };

// Counts from now; the failAt-th allocation (from 1) is refused, none if 0.
// With pluginOnly, allocations of the libraries under the plug-in are neither
// counted nor refused: a window system's client library does not survive a
// refused malloc of its own (Xlib's XOpenDisplay then crashes).
void arm(long failAt, bool pluginOnly = false);
Tally disarm();

// For the platform's stand-in allocation functions.
bool grantAllocation(Caller caller);  // false: refuse this one
void noteGranted(void* block, Caller caller);
void noteFreed(void* block, Caller caller);
// Puts the stand-ins in place, once, before the first arming.
void interpose();

}  // namespace FailingAllocator
