#pragma once
// What a host passes in the editor's key opcodes, whatever its window system:
// the arrows' virtual keys and the modifier bits of the option argument.

#include "host/VstAbi.h"

// Left, up, right, down: the order both window systems number their arrows in.
inline constexpr VstIntPtr kHostArrowKeys[] = {11, 12, 13, 14};

inline float hostKeyModifiers(bool shift, bool alt, bool control) {
  return (shift ? 1.0f : 0.0f) + (alt ? 2.0f : 0.0f) + (control ? 4.0f : 0.0f);
}
