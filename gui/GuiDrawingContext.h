#pragma once
// One Win32 device context with the pen, brush and font that this context made
// for it; everything it selected is put back when the context ends.

#include <windows.h>

#include <cstdint>

#include "gui/GuiColour.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"

class GuiFrame;

// The bits of readMouseButtons, shared with the controls.
enum GuiMouseBits : std::int32_t {
  MouseButtonLeft = 1,
  MouseButtonMiddle = 2,
  MouseButtonRight = 4,
  ModifierShift = 8,
  ModifierControl = 16,
  ModifierAlt = 32,
};

enum GuiTextAlign : std::int32_t {
  TextAlignLeft = 0,
  TextAlignCentre = 1,
  TextAlignRight = 2,
};

enum GuiLineStyle : std::int32_t {
  LineStyleSolid = 0,
  LineStyleDotted = 1,
};

// Style bits of selectFont.
enum GuiFontStyle : std::int32_t {
  FontStyleBold = 1,
  FontStyleItalic = 2,
  FontStyleUnderline = 4,
};

class GuiDrawingContext {
public:
  // The frame is not used by a plain context; the window only gives the origin
  // for readMousePosition. Both, and the device context, may be null.
  GuiDrawingContext(GuiFrame* frame, HDC deviceContext, HWND window);
  virtual ~GuiDrawingContext();

  GuiDrawingContext(const GuiDrawingContext&) = delete;
  GuiDrawingContext& operator=(const GuiDrawingContext&) = delete;

  void moveTo(const GuiPoint& p);
  void lineTo(const GuiPoint& p);
  // The outline covers the edge rows and columns, the fill strictly the inside.
  void frameRect(const GuiRect& r);
  void fillRect(const GuiRect& r);

  void setLineStyle(std::int32_t style);
  void setLineColour(const GuiColour& colour);
  void setFillColour(const GuiColour& colour);
  void setTextColour(const GuiColour& colour);
  // Font ids outside 0 to 7 become 0; a size of 0 is the font's default size.
  void selectFont(std::int32_t fontId, std::int32_t size = 0, std::int32_t style = 0);
  void drawText(const char* text, const GuiRect& r, bool opaque = false,
                std::int32_t alignment = TextAlignCentre);

  // Live state of the buttons and modifiers at the moment of the call.
  std::int32_t readMouseButtons() const;
  // The cursor relative to the window; screen coordinates without a window.
  void readMousePosition(GuiPoint& p) const;

  HDC deviceContext() const { return dc; }
  const GuiPoint& drawOffset() const { return offset; }
  const GuiPoint& windowOrigin() const { return origin; }
  std::int32_t fontId() const { return currentFontId; }
  std::int32_t fontSize() const { return currentFontSize; }
  std::int32_t lineWidth() const { return penWidth; }
  std::int32_t lineStyle() const { return currentLineStyle; }
  const GuiColour& lineColour() const { return currentLineColour; }
  const GuiColour& fillColour() const { return currentFillColour; }
  const GuiColour& textColour() const { return currentTextColour; }

protected:
  // Shared by the offscreen context, whose device context exists only after
  // the plain part is built.
  void adoptDeviceContext(HDC deviceContext);
  // Puts the brush, pen and font found at creation back, once.
  void restoreSelections();
  void rebuildPen();

private:
  GuiPoint origin;
  GuiPoint offset;
  HDC dc = nullptr;
  std::int32_t currentFontSize = 0;
  std::int32_t currentFontId = 0;
  GuiColour currentTextColour = ColourWhite;
  std::int32_t penWidth = 1;
  GuiColour currentLineColour = ColourWhite;
  GuiColour currentFillColour = ColourBlack;
  std::int32_t currentLineStyle = LineStyleSolid;
  HGDIOBJ savedBrush = nullptr;
  HGDIOBJ savedPen = nullptr;
  HGDIOBJ savedFont = nullptr;
  HBRUSH ownBrush = nullptr;
  HPEN ownPen = nullptr;
  HFONT ownFont = nullptr;
  UINT penStyle = PS_SOLID;
};
