#pragma once
// The texts of the 64 note values, item i standing for i + 1 thirty-second notes.

constexpr int kNoteValueCount = 64;

// "32nd", "16th", "3 32nd", ... "Half", ... "Whole", ... "Double".
const char* const* noteValueNames();
