#pragma once
// Resolution of a dropped shell shortcut (.lnk) to the path it points to.

#include <cstddef>

// Size of the buffers that dropped paths travel in.
inline constexpr std::size_t kDroppedPathSize = 1024;

// target is a buffer of kDroppedPathSize bytes and may be path itself. Answers
// false, leaving target alone, for a name that is not a shortcut or that can't
// be resolved.
bool resolveShortcut(const char* path, char* target);
