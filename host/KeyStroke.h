#pragma once
#include <cstdint>

// A key opcode's arguments as the editor and its views receive them.
struct KeyStroke {
  std::int32_t character;
  std::uint8_t virtualKey;
  std::uint8_t modifiers;
};
