#pragma once
// Resource numbers and colours of the test bitmaps (make-test-bitmaps.py).

#include "gui/GuiColour.h"

inline constexpr int kCornersBitmap = 201;
inline constexpr int kHalvesBitmap = 202;
inline constexpr int kMissingBitmap = 299;

inline constexpr GuiColour kCornersBody{200, 40, 30, 0};
inline constexpr GuiColour kNearWhite{254, 255, 255, 0};
inline constexpr int kNearWhiteX = 3;
inline constexpr int kNearWhiteY = 2;
inline constexpr GuiColour kUpperHalf{20, 180, 40, 0};
inline constexpr GuiColour kLowerHalf{30, 60, 210, 0};
