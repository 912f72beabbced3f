#pragma once
#include <cstdint>

// A colour as red, green, blue and a spare byte that never reaches GDI.
struct GuiColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t spare = 0;

  // The Win32 COLORREF of the colour.
  constexpr std::uint32_t colourRef() const {
    return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16;
  }
  constexpr bool operator==(const GuiColour& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
  constexpr bool operator!=(const GuiColour& other) const { return !(*this == other); }
};

inline constexpr GuiColour ColourBlack{0, 0, 0, 0};
inline constexpr GuiColour ColourWhite{255, 255, 255, 0};
inline constexpr GuiColour ColourGrey{127, 127, 127, 0};
inline constexpr GuiColour ColourRed{255, 0, 0, 0};
inline constexpr GuiColour ColourGreen{0, 255, 0, 0};
inline constexpr GuiColour ColourBlue{0, 0, 255, 0};
inline constexpr GuiColour ColourYellow{255, 255, 0, 0};
inline constexpr GuiColour ColourMagenta{255, 0, 255, 0};
inline constexpr GuiColour ColourCyan{0, 255, 255, 0};
// Pixels of this colour are left out when a bitmap is drawn transparently.
inline constexpr GuiColour ColourTransparentKey{255, 255, 255, 0};
