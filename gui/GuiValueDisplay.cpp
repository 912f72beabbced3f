#include "gui/GuiValueDisplay.h"

#include <cstdio>

#include "gui/GuiBitmap.h"
#include "gui/GuiDrawingContext.h"

GuiValueDisplay::GuiValueDisplay(const GuiRect& initialSize, GuiBitmap* backgroundBitmap, std::int32_t style)
    : GuiControl(initialSize, nullptr, 0, backgroundBitmap), displayStyle(style) {
  // A display that never draws must not keep the frame's idle pass asking it to.
  if (displayStyle & DisplayNoDraw) setDirty(false);
}

void GuiValueDisplay::changeColour(GuiColour& field, const GuiColour& colour) {
  if (field != colour) setDirty(true);
  field = colour;
}

void GuiValueDisplay::setDisplayFont(std::int32_t fontId) {
  if (fontId != displayFont) setDirty(true);
  displayFont = fontId;
}

void GuiValueDisplay::setFontColour(const GuiColour& colour) { changeColour(fontColour, colour); }
void GuiValueDisplay::setBackColour(const GuiColour& colour) { changeColour(backColour, colour); }
void GuiValueDisplay::setFrameColour(const GuiColour& colour) { changeColour(frameColour, colour); }
void GuiValueDisplay::setTextShadowColour(const GuiColour& colour) { changeColour(textShadowColour, colour); }

void GuiValueDisplay::setHorizontalAlign(std::int32_t alignment) {
  if (alignment != horizontalAlign) setDirty(true);
  horizontalAlign = alignment;
}

void GuiValueDisplay::setBackgroundSource(const GuiPoint& source) { backgroundSource = source; }

void GuiValueDisplay::setValueToTextWithData(GuiValueToTextWithData converter, void* userData) {
  valueToTextWithData = converter;
  converterData = userData;
}

void GuiValueDisplay::setValueToText(GuiValueToText converter) { valueToText = converter; }
void GuiValueDisplay::setTextToValue(GuiTextToValue converter) { textToValue = converter; }

void GuiValueDisplay::setDisplayStyle(std::int32_t style) {
  if (style == displayStyle) return;
  displayStyle = style;
  setDirty(true);
}

void GuiValueDisplay::setFontStyle(std::int32_t style) {
  if (style != fontStyle) setDirty(true);
  fontStyle = style;
}

void GuiValueDisplay::setTextTransparent(bool on) { textTransparent = on; }

void GuiValueDisplay::formatValue(char* text) {
  const float shown = getValue();
  text[0] = '\0';
  if (valueToTextWithData) {
    valueToTextWithData(shown, text, converterData);
  } else if (valueToText) {
    valueToText(shown, text);
  } else {
    std::snprintf(text, kTextCapacity, "%2.2f", static_cast<double>(shown));
  }
}

void GuiValueDisplay::draw(GuiDrawingContext& context) {
  char text[kTextCapacity];
  formatValue(text);
  drawValueText(context, text, nullptr);
}

void GuiValueDisplay::drawValueText(GuiDrawingContext& context, const char* text, GuiBitmap* bitmap) {
  setDirty(false);
  if (displayStyle & DisplayNoDraw) return;
  const bool bevel = (displayStyle & (DisplayBevelBackFirst | DisplayBevelFrameFirst)) != 0;
  const bool backFirst = (displayStyle & DisplayBevelBackFirst) != 0;
  GuiBitmap* box = bitmap ? bitmap : background.get();
  if (box) {
    if (isTransparent()) {
      box->drawTransparent(context, size, backgroundSource);
    } else {
      box->drawOpaque(context, size, backgroundSource);
    }
  } else if (!isTransparent()) {
    context.setFillColour(backColour);
    context.fillRect(size);
    if (!bevel) {
      context.setLineColour(frameColour);
      context.frameRect(size);
    }
  }
  if (bevel) {
    context.setLineColour(backFirst ? backColour : frameColour);
    context.moveTo({size.left, size.bottom});
    context.lineTo({size.left, size.top});
    context.lineTo({size.right + 1, size.top});
    context.setLineColour(backFirst ? frameColour : backColour);
    context.moveTo({size.right, size.top + 1});
    context.lineTo({size.right, size.bottom});
    context.lineTo({size.left, size.bottom});
  }
  if (displayStyle & DisplayNoText) return;
  context.selectFont(displayFont, 0, fontStyle);
  if (displayStyle & DisplayShadowText) {
    const GuiRect shadow = size.offsetBy({1, 1});
    context.setTextColour(textShadowColour);
    context.drawText(text, shadow, !textTransparent, horizontalAlign);
  }
  context.setTextColour(fontColour);
  context.drawText(text, size, !textTransparent, horizontalAlign);
}
