#pragma once
// Where each parameter's control and value display stand on the panel. Row i
// binds parameter i; coordinates are window pixels from the top-left corner.

#include <array>
#include <cstdint>

enum class ControlKind : std::int32_t {
  KindSlider = 1,
  KindKnob = 5,
};

struct ControlLayoutRow {
  std::int32_t parameter;
  ControlKind kind;
  std::int32_t controlX, controlY;
  std::int32_t displayX, displayY;
  std::int32_t displayWidth;
};

inline constexpr std::array<ControlLayoutRow, 11> controlLayout{{
    {0, ControlKind::KindKnob, 20, 45, 75, 30, 60},       // filter mode
    {1, ControlKind::KindSlider, 75, 190, 130, 190, 30},  // minimum frequency
    {2, ControlKind::KindSlider, 75, 210, 130, 210, 30},  // maximum frequency
    {3, ControlKind::KindSlider, 75, 170, 130, 170, 30},  // resonance
    {4, ControlKind::KindKnob, 130, 45, 75, 50, 40},      // active filters
    {5, ControlKind::KindSlider, 75, 110, 130, 110, 30},  // tempo
    {6, ControlKind::KindSlider, 75, 150, 130, 150, 30},  // repeat count
    {7, ControlKind::KindKnob, 20, 85, 75, 70, 50},       // sync mode
    {8, ControlKind::KindKnob, 130, 85, 75, 90, 50},      // time division
    {9, ControlKind::KindSlider, 75, 130, 130, 130, 30},  // steps
    {10, ControlKind::KindSlider, 75, 230, 130, 230, 30}  // sweep speed
}};
