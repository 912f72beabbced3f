#include "engine/ChoiceParameter.h"

#include <algorithm>
#include <cstdio>

#include "engine/PortableMath.h"

ChoiceParameter::ChoiceParameter(const char* name, const char* label, std::int32_t count, const char* const* texts,
                                 std::int32_t defaultIndex)
    : ParameterDescriptor(name, label, 0.0f) {
  copyItems(count, texts);
  count = itemCount.load(std::memory_order_relaxed);
  defaultIndex = std::clamp(defaultIndex, 0, count - 1);
  selected.store(defaultIndex, std::memory_order_relaxed);
  storeNormalized(static_cast<float>(defaultIndex) / static_cast<float>(count - 1));
}

std::int32_t ChoiceParameter::limitedCount(std::int32_t count) { return std::clamp(count, 2, kMaximumItems); }

// A count below two gets empty items to make up two; texts beyond 128 are left out.
void ChoiceParameter::copyItems(std::int32_t requestedCount, const char* const* texts) {
  const std::int32_t count = limitedCount(requestedCount);
  for (std::int32_t i = 0; i < count; ++i) items[i].assign(i < requestedCount ? texts[i] : "");
  itemCount.store(count, std::memory_order_relaxed);
}

void ChoiceParameter::setNormalized(float value) {
  const std::int32_t count = itemCount.load(std::memory_order_relaxed);
  storeNormalized(value);
  const double position = static_cast<double>(count) * value;
  selected.store(wholeNumberWithin(position, 0, count - 1), std::memory_order_relaxed);
}

void ChoiceParameter::setItems(std::int32_t count, const char* const* texts) {
  copyItems(count, texts);
  setNormalized(loadNormalized());
}

void ChoiceParameter::setItemName(std::int32_t index, const char* text) {
  if (index >= 0 && index < kMaximumItems) items[index].assign(text);
}

std::int32_t ChoiceParameter::setItemValues(std::int32_t count, const std::int32_t* numbers) {
  count = std::clamp(count, 0, kMaximumItems);
  std::copy(numbers, numbers + count, itemValues);
  return count;
}

std::int32_t ChoiceParameter::selectedItemValue() const { return itemValues[integerValue()]; }
float ChoiceParameter::plainValue() const { return static_cast<float>(integerValue()); }
std::int32_t ChoiceParameter::integerValue() const { return selected.load(std::memory_order_relaxed); }

void ChoiceParameter::formatDisplay(char* text) const {
  std::snprintf(text, kDisplaySize, "%s", items[integerValue()].text());
}

void ChoiceParameter::formatShortDisplay(char* text) const { formatDisplay(text); }
