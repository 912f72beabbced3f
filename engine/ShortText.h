#pragma once
// A name, label, list item or program name as the engine keeps it: at most 23
// characters and a terminator, so that it always fits the 24-byte fields in
// which hosts receive such texts.

#include <cstdio>

class ShortText {
public:
  static constexpr int kCapacity = 24;

  ShortText() = default;
  explicit ShortText(const char* text) { assign(text); }

  // Keeps the first 23 characters, reading no further into `text`.
  void assign(const char* text) { std::snprintf(characters, sizeof characters, "%.*s", kCapacity - 1, text); }
  const char* text() const { return characters; }

private:
  char characters[kCapacity] = {};
};
