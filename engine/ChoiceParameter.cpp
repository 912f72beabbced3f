#include "engine/ChoiceParameter.h"

#include <algorithm>
#include <cmath>
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

std::int32_t ChoiceParameter::itemAt(float share, std::int32_t count) {
  const double position = static_cast<double>(count) * share;
  return wholeNumberWithin(position, 0, count - 1);
}

void ChoiceParameter::setNormalized(float value) {
  const std::int32_t count = itemCount.load(std::memory_order_relaxed);
  storeNormalized(value);
  selected.store(itemAt(value, count), std::memory_order_relaxed);
}

UnitRange ChoiceParameter::unitRange() const {
  return {0.0f, static_cast<float>(itemCount.load(std::memory_order_relaxed) - 1), ParameterScale::Item};
}

// An item's share starts where the default's does: index / (count - 1).
float ChoiceParameter::normalizedFor(float value) const {
  if (std::isnan(value)) return value;
  const std::int32_t count = itemCount.load(std::memory_order_relaxed);
  const std::int32_t index = wholeNumberWithin(std::floor(static_cast<double>(value) + 0.5), 0, count - 1);
  return refinedNormalized(static_cast<float>(index) / static_cast<float>(count - 1), static_cast<float>(index),
                           [count](float share) { return static_cast<float>(itemAt(share, count)); });
}

const char* ChoiceParameter::itemText(std::int32_t index) const {
  return index >= 0 && index < itemCount.load(std::memory_order_relaxed) ? items[index].text() : "";
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
