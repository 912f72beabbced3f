#pragma once
// One item of a list of texts, each item owning an equal share of 0..1.

#include "engine/ParameterDescriptor.h"

class ChoiceParameter final : public ParameterDescriptor {
public:
  static constexpr VstInt32 kMaximumItems = 128;

  // count is kept within 2..128 and the default index within the items.
  ChoiceParameter(const char* name, const char* label, VstInt32 count, const char* const* texts,
                  VstInt32 defaultIndex);

  void setNormalized(float value) override;
  void formatDisplay(char* text) const override;
  void formatShortDisplay(char* text) const override;
  float plainValue() const override;
  VstInt32 integerValue() const override;
  void setItems(VstInt32 count, const char* const* texts);
  void setItemName(VstInt32 index, const char* text);
  VstInt32 setItemValues(VstInt32 count, const VstInt32* numbers);
  VstInt32 selectedItemValue() const;

private:
  static VstInt32 limitedCount(VstInt32 count);
  void copyItems(VstInt32 requestedCount, const char* const* texts);

  std::atomic<VstInt32> itemCount{0};
  char items[kMaximumItems][kNameSize] = {};
  std::atomic<VstInt32> selected{0};
  VstInt32 itemValues[kMaximumItems] = {};
};
