#pragma once
#include <cstddef>
#include <cstring>

// Copies a name into a fixed-size field the way hosts expect: exactly `size`
// bytes written, a short text zero-filled, and the last byte always zero.
inline void copyFixedText(char* destination, const char* source, std::size_t size) {
  std::size_t length = 0;
  while (length < size && source[length] != '\0') ++length;
  std::memcpy(destination, source, length);
  std::memset(destination + length, 0, size - length);
  destination[size - 1] = '\0';
}

constexpr std::size_t kNameSize = 24;
constexpr std::size_t kShortLabelSize = 8;
