#pragma once
// A key as the toolkit's views receive it, from the host's key opcodes or from
// the window system. Codes and modifier bits are the host's, whatever the platform.

#include <cstdint>

// The virtual keys the controls act on.
enum GuiVirtualKey : std::uint8_t {
  VirtualKeyLeft = 11,
  VirtualKeyUp = 12,
  VirtualKeyRight = 13,
  VirtualKeyDown = 14,
};

// Bits of GuiKeyStroke::modifiers.
enum GuiKeyModifier : std::uint8_t {
  KeyModifierShift = 1,
};

struct GuiKeyStroke {
  std::int32_t character = 0;
  std::uint8_t virtualKey = 0;
  std::uint8_t modifiers = 0;
};
