#pragma once
// One item of a list of texts, each item owning an equal share of 0..1.

#include <cstdint>

#include "engine/ParameterDescriptor.h"
#include "engine/ShortText.h"

class ChoiceParameter final : public ParameterDescriptor {
public:
  static constexpr std::int32_t kMaximumItems = 128;

  // count is kept within 2..128 and the default index within the items.
  ChoiceParameter(const char* name, const char* label, std::int32_t count, const char* const* texts,
                  std::int32_t defaultIndex);

  void setNormalized(float value) override;
  void formatDisplay(char* text) const override;
  void formatShortDisplay(char* text) const override;
  float plainValue() const override;
  std::int32_t integerValue() const override;
  UnitRange unitRange() const override;
  float normalizedFor(float value) const override;
  // The text of one item, empty outside the list.
  const char* itemText(std::int32_t index) const;
  void setItems(std::int32_t count, const char* const* texts);
  void setItemName(std::int32_t index, const char* text);
  std::int32_t setItemValues(std::int32_t count, const std::int32_t* numbers);
  std::int32_t selectedItemValue() const;

private:
  static std::int32_t itemAt(float share, std::int32_t count);
  static std::int32_t limitedCount(std::int32_t count);
  void copyItems(std::int32_t requestedCount, const char* const* texts);

  std::atomic<std::int32_t> itemCount{0};
  ShortText items[kMaximumItems];
  std::atomic<std::int32_t> selected{0};
  std::int32_t itemValues[kMaximumItems] = {};
};
