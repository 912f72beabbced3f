#pragma once
// The toolkit's fonts by id: the face a context selects and its size when none
// is asked for. Back ends without these faces substitute metric-compatible ones.

#include <cstdint>

struct GuiFontTableEntry {
  const char* faceName;
  std::int32_t defaultSize;
};

inline constexpr GuiFontTableEntry kFontTable[] = {
    {"Arial", 12}, {"Arial", 18}, {"Arial", 14}, {"Arial", 12},
    {"Arial", 11}, {"Arial", 10}, {"Arial", 9},  {"Symbol", 13},
};
inline constexpr std::int32_t kFontCount = sizeof(kFontTable) / sizeof(kFontTable[0]);
// Font 0 is always drawn bold; font 7 is the symbol face.
inline constexpr std::int32_t kAlwaysBoldFont = 0;
inline constexpr std::int32_t kSymbolFont = 7;
