#pragma once
// One parameter of one program: its value as the host sees it (normalised) and
// in its own unit, with the texts the host and the editor show.

#include <atomic>
#include <cstdint>

#include "engine/ShortText.h"

class ParameterDescriptor {
public:
  ParameterDescriptor(const char* name, const char* label, float initialValue);
  virtual ~ParameterDescriptor() = default;

  ParameterDescriptor(const ParameterDescriptor&) = delete;
  ParameterDescriptor& operator=(const ParameterDescriptor&) = delete;

  virtual void setNormalized(float value);
  virtual float normalizedValue() const;
  // Name and label, at most 23 characters each; the effect copies them into the host's fields.
  const char* name() const { return nameText.text(); }
  const char* label() const { return labelText.text(); }
  // Display texts are written straight into the caller's buffer, 24 bytes at most.
  virtual void formatDisplay(char* text) const;
  virtual void formatShortDisplay(char* text) const;
  virtual float plainValue() const;
  virtual std::int32_t integerValue() const;

protected:
  // Display texts are at most this long, terminator included.
  static constexpr int kDisplaySize = 24;

  float loadNormalized() const { return normalized.load(std::memory_order_relaxed); }
  float loadPlain() const { return plain.load(std::memory_order_relaxed); }
  void storeNormalized(float value) { normalized.store(value, std::memory_order_relaxed); }
  void storePlain(float value) { plain.store(value, std::memory_order_relaxed); }
  // plain + 0.5 rounded down, saturated to the 32-bit range.
  std::int32_t roundedPlain() const;

private:
  // The host writes on one thread while the audio thread reads: single words.
  std::atomic<float> normalized{0.0f};
  std::atomic<float> plain{0.0f};
  ShortText nameText;
  ShortText labelText;
};
