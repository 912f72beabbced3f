#pragma once
// One parameter of one program: its value as the host sees it (normalised) and
// in its own unit, with the texts the host and the editor show.

#include <atomic>

#include "host/TextBuffers.h"
#include "host/VstAbi.h"

class ParameterDescriptor {
public:
  ParameterDescriptor(const char* name, const char* label, float initialValue);
  virtual ~ParameterDescriptor() = default;

  ParameterDescriptor(const ParameterDescriptor&) = delete;
  ParameterDescriptor& operator=(const ParameterDescriptor&) = delete;

  virtual void setNormalized(float value);
  virtual float normalizedValue() const;
  virtual void copyName(char* text) const;
  virtual void formatDisplay(char* text) const;
  virtual void formatShortDisplay(char* text) const;
  virtual void copyLabel(char* text) const;
  virtual float plainValue() const;
  virtual VstInt32 integerValue() const;

protected:
  // Display texts are at most this long, terminator included.
  static constexpr int kDisplaySize = 24;

  float loadNormalized() const { return normalized.load(std::memory_order_relaxed); }
  float loadPlain() const { return plain.load(std::memory_order_relaxed); }
  void storeNormalized(float value) { normalized.store(value, std::memory_order_relaxed); }
  void storePlain(float value) { plain.store(value, std::memory_order_relaxed); }
  // plain + 0.5 rounded down, saturated to the 32-bit range.
  VstInt32 roundedPlain() const;

private:
  // The host writes on one thread while the audio thread reads: single words.
  std::atomic<float> normalized{0.0f};
  std::atomic<float> plain{0.0f};
  char name[kNameSize];
  char label[kNameSize];
};
