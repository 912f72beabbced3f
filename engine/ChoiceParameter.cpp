#include "engine/ChoiceParameter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "host/Saturate.h"

ChoiceParameter::ChoiceParameter(const char* name, const char* label, VstInt32 count, const char* const* texts,
                                 VstInt32 defaultIndex)
    : ParameterDescriptor(name, label, 0.0f) {
  copyItems(count, texts);
  count = itemCount.load(std::memory_order_relaxed);
  defaultIndex = std::clamp(defaultIndex, 0, count - 1);
  selected.store(defaultIndex, std::memory_order_relaxed);
  storeNormalized(static_cast<float>(defaultIndex) / static_cast<float>(count - 1));
}

VstInt32 ChoiceParameter::limitedCount(VstInt32 count) { return std::clamp(count, 2, kMaximumItems); }

// A count below two gets empty items to make up two; texts beyond 128 are left out.
void ChoiceParameter::copyItems(VstInt32 requestedCount, const char* const* texts) {
  const VstInt32 count = limitedCount(requestedCount);
  for (VstInt32 i = 0; i < count; ++i) copyFixedText(items[i], i < requestedCount ? texts[i] : "", kNameSize);
  itemCount.store(count, std::memory_order_relaxed);
}

void ChoiceParameter::setNormalized(float value) {
  const VstInt32 count = itemCount.load(std::memory_order_relaxed);
  storeNormalized(value);
  const double position = static_cast<double>(count) * value;
  selected.store(std::clamp(saturatingTruncate(position), 0, count - 1), std::memory_order_relaxed);
}

void ChoiceParameter::setItems(VstInt32 count, const char* const* texts) {
  copyItems(count, texts);
  setNormalized(loadNormalized());
}

void ChoiceParameter::setItemName(VstInt32 index, const char* text) {
  if (index >= 0 && index < kMaximumItems) copyFixedText(items[index], text, kNameSize);
}

VstInt32 ChoiceParameter::setItemValues(VstInt32 count, const VstInt32* numbers) {
  count = std::clamp(count, 0, kMaximumItems);
  std::copy(numbers, numbers + count, itemValues);
  return count;
}

VstInt32 ChoiceParameter::selectedItemValue() const { return itemValues[integerValue()]; }
float ChoiceParameter::plainValue() const { return static_cast<float>(integerValue()); }
VstInt32 ChoiceParameter::integerValue() const { return selected.load(std::memory_order_relaxed); }

void ChoiceParameter::formatDisplay(char* text) const {
  std::snprintf(text, kDisplaySize, "%s", items[integerValue()]);
}

void ChoiceParameter::formatShortDisplay(char* text) const { formatDisplay(text); }
