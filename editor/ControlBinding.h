#pragma once
// One layout row while the editor is open: which parameter of which effect its
// control and value display show. The display hands it to the text converter.

#include <cstdint>

class FilterSweepEffect;
class GuiControl;
class GuiValueDisplay;

struct ControlBinding {
  FilterSweepEffect* effect = nullptr;
  std::int32_t parameter = 0;
  GuiControl* control = nullptr;       // owned by the frame
  GuiValueDisplay* display = nullptr;  // owned by the frame
};
