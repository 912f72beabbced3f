#pragma once
// One parameter of one program: its value as the host sees it (normalised) and
// in its own unit, with the texts the host and the editor show.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>

#include "engine/ShortText.h"

// How a parameter's own unit spreads over its range: other plug-in formats
// describe their controls with it.
enum class ParameterScale { Linear, Logarithmic, WholeNumber, Item };

struct UnitRange {
  float minimum;
  float maximum;
  ParameterScale scale;
};

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
  // The value in the parameter's own unit as other formats' controls carry it:
  // the plain value, the whole number or the item's index.
  virtual float unitValue() const;
  virtual UnitRange unitRange() const;
  // The normalised value that sets the parameter to `value` in its own unit,
  // held to the range (whole numbers and items rounded to the nearest); it
  // gives exactly that value back wherever a normalised float does. NaN gives NaN.
  virtual float normalizedFor(float value) const;

protected:
  // Display texts are at most this long, terminator included.
  static constexpr int kDisplaySize = 24;

  float loadNormalized() const { return normalized.load(std::memory_order_relaxed); }
  float loadPlain() const { return plain.load(std::memory_order_relaxed); }
  void storeNormalized(float value) { normalized.store(value, std::memory_order_relaxed); }
  void storePlain(float value) { plain.store(value, std::memory_order_relaxed); }
  // plain + 0.5 rounded down, saturated to the 32-bit range.
  std::int32_t roundedPlain() const;
  // Moves `estimate` by a few float steps towards a normalised value that the
  // rising mapping `forward` takes to `target`; the nearest one tried when none does.
  template <typename Forward>
  static float refinedNormalized(float estimate, float target, Forward forward);

private:
  // The host writes on one thread while the audio thread reads: single words.
  std::atomic<float> normalized{0.0f};
  std::atomic<float> plain{0.0f};
  ShortText nameText;
  ShortText labelText;
};

template <typename Forward>
float ParameterDescriptor::refinedNormalized(float estimate, float target, Forward forward) {
  constexpr int kSteps = 8;
  float value = std::clamp(estimate, 0.0f, 1.0f);
  for (int step = 0; step < kSteps; ++step) {
    const float reached = forward(value);
    if (reached == target) break;
    const float next = std::nextafter(value, reached < target ? 1.0f : 0.0f);
    if (next == value) break;
    // Stop at the step that crosses the target unless it lands on it.
    const float nextReached = forward(next);
    if ((reached < target) != (nextReached < target) && nextReached != target) {
      if (std::fabs(nextReached - target) < std::fabs(reached - target)) value = next;
      break;
    }
    value = next;
  }
  return value;
}
