#include "engine/NoteValueNames.h"

#include <cstdio>

#include "engine/ShortText.h"

namespace {
struct NoteValueTable {
  char texts[kNoteValueCount][ShortText::kCapacity];
  const char* pointers[kNoteValueCount];

  // (i + 1) / 32 reduced to a power-of-two denominator; a count of 1 is not written.
  NoteValueTable() {
    for (int i = 0; i < kNoteValueCount; ++i) {
      int count = i + 1;
      int denominator = 32;
      while (count % 2 == 0 && denominator > 1) {
        count /= 2;
        denominator /= 2;
      }
      const char* unit = denominator == 32   ? "32nd"
                         : denominator == 16 ? "16th"
                         : denominator == 8  ? "8th"
                         : denominator == 4  ? "4th"
                         : denominator == 2  ? "Half"
                                             : "Whole";
      if (denominator == 1 && count == 2)
        std::snprintf(texts[i], sizeof texts[i], "Double");
      else if (count == 1)
        std::snprintf(texts[i], sizeof texts[i], "%s", unit);
      else
        std::snprintf(texts[i], sizeof texts[i], "%d %s", count, unit);
      pointers[i] = texts[i];
    }
  }
};
}  // namespace

const char* const* noteValueNames() {
  static const NoteValueTable table;
  return table.pointers;
}
