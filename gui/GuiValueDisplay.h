#pragma once
// A control that shows its value as one line of text in a box: a bitmap, a
// framed fill or a bevel. The text comes from the owner's converter, or "%2.2f".
// It takes no input.

#include <cstdint>

#include "gui/GuiColour.h"
#include "gui/GuiControl.h"
#include "gui/GuiDrawingContext.h"

enum GuiDisplayStyle : std::int32_t {
  DisplayShadowText = 0x4,
  DisplayBevelBackFirst = 0x80,
  DisplayBevelFrameFirst = 0x100,
  DisplayNoText = 0x800,
  DisplayNoDraw = 0x1000,
};

// Converters write a zero-terminated text of at most 255 characters.
using GuiValueToText = void (*)(float value, char* text);
using GuiValueToTextWithData = void (*)(float value, char* text, void* userData);
using GuiTextToValue = void (*)(const char* text, float* value);

class GuiValueDisplay : public GuiControl {
public:
  static constexpr std::int32_t kTextCapacity = 256;

  GuiValueDisplay(const GuiRect& initialSize, GuiBitmap* backgroundBitmap, std::int32_t style);

  void draw(GuiDrawingContext& context) override;

  virtual void setDisplayFont(std::int32_t fontId);
  virtual void setFontColour(const GuiColour& colour);
  virtual void setBackColour(const GuiColour& colour);
  virtual void setFrameColour(const GuiColour& colour);
  virtual void setTextShadowColour(const GuiColour& colour);
  virtual void setHorizontalAlign(std::int32_t alignment);
  virtual void setBackgroundSource(const GuiPoint& source);
  virtual void setValueToTextWithData(GuiValueToTextWithData converter, void* userData);
  virtual void setValueToText(GuiValueToText converter);
  virtual void setTextToValue(GuiTextToValue converter);
  virtual void setDisplayStyle(std::int32_t style);
  virtual void setFontStyle(std::int32_t style);
  virtual void setTextTransparent(bool on);
  // The text the display shows for its value, into a buffer of kTextCapacity bytes.
  virtual void formatValue(char* text);

  // Draws the box and the given text; the bitmap, if any, replaces the background.
  void drawValueText(GuiDrawingContext& context, const char* text, GuiBitmap* bitmap);

  std::int32_t getDisplayFont() const { return displayFont; }
  std::int32_t getDisplayStyle() const { return displayStyle; }
  const GuiColour& getFontColour() const { return fontColour; }
  const GuiColour& getBackColour() const { return backColour; }
  const GuiColour& getFrameColour() const { return frameColour; }

private:
  // Stores the colour; marks the display only when what GDI would see changes.
  void changeColour(GuiColour& field, const GuiColour& colour);

  GuiValueToText valueToText = nullptr;
  GuiValueToTextWithData valueToTextWithData = nullptr;
  GuiTextToValue textToValue = nullptr;
  void* converterData = nullptr;
  std::int32_t horizontalAlign = TextAlignCentre;
  std::int32_t displayStyle;
  std::int32_t displayFont = 3;
  std::int32_t fontStyle = 0;
  GuiColour fontColour = ColourWhite;
  GuiColour backColour = ColourBlack;
  GuiColour frameColour = ColourBlack;
  GuiColour textShadowColour = ColourRed;
  GuiPoint backgroundSource;
  bool textTransparent = true;
};
