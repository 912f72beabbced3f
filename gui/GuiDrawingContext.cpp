#include "gui/GuiDrawingContext.h"

#include <cstring>

namespace {

struct FontTableEntry {
  const char* faceName;
  std::int32_t defaultSize;
};

constexpr FontTableEntry kFontTable[] = {
    {"Arial", 12}, {"Arial", 18}, {"Arial", 14}, {"Arial", 12},
    {"Arial", 11}, {"Arial", 10}, {"Arial", 9},  {"Symbol", 13},
};
constexpr std::int32_t kFontCount = sizeof(kFontTable) / sizeof(kFontTable[0]);
constexpr std::int32_t kAlwaysBoldFont = 0;
constexpr std::int32_t kSymbolFont = 7;
constexpr LONG kWeightNormal = 400;
constexpr LONG kWeightBold = 700;

bool keyHeld(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

GuiDrawingContext::GuiDrawingContext(GuiFrame*, HDC deviceContext, HWND window) {
  if (window) {
    RECT r;
    if (GetWindowRect(window, &r)) origin = {r.left, r.top};
  }
  if (deviceContext) adoptDeviceContext(deviceContext);
}

void GuiDrawingContext::adoptDeviceContext(HDC deviceContext) {
  dc = deviceContext;
  savedBrush = GetCurrentObject(dc, OBJ_BRUSH);
  savedPen = GetCurrentObject(dc, OBJ_PEN);
  savedFont = GetCurrentObject(dc, OBJ_FONT);
  SetBkMode(dc, TRANSPARENT);
  setLineColour(currentLineColour);
  setLineStyle(currentLineStyle);
  setFillColour(currentFillColour);
  setTextColour(currentTextColour);
}

GuiDrawingContext::~GuiDrawingContext() {
  restoreSelections();
  if (ownBrush) DeleteObject(ownBrush);
  if (ownPen) DeleteObject(ownPen);
  if (ownFont) DeleteObject(ownFont);
}

void GuiDrawingContext::restoreSelections() {
  if (!dc) return;
  if (savedBrush) SelectObject(dc, savedBrush);
  if (savedPen) SelectObject(dc, savedPen);
  if (savedFont) SelectObject(dc, savedFont);
  savedBrush = savedPen = savedFont = nullptr;
}

void GuiDrawingContext::moveTo(const GuiPoint& p) {
  MoveToEx(dc, p.x + offset.x, p.y + offset.y, nullptr);
}

void GuiDrawingContext::lineTo(const GuiPoint& p) { LineTo(dc, p.x + offset.x, p.y + offset.y); }

void GuiDrawingContext::frameRect(const GuiRect& r) {
  moveTo({r.left, r.top});
  lineTo({r.right, r.top});
  lineTo({r.right, r.bottom});
  lineTo({r.left, r.bottom});
  lineTo({r.left, r.top});
}

void GuiDrawingContext::fillRect(const GuiRect& r) {
  // GDI leaves the right column and bottom row out, so this is exactly the
  // inside of frameRect's outline.
  const GuiRect shifted = r.offsetBy(offset);
  const RECT inside{shifted.left + 1, shifted.top + 1, shifted.right, shifted.bottom};
  HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
  FillRect(dc, &inside, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  SelectObject(dc, previousPen);
}

void GuiDrawingContext::setLineStyle(std::int32_t style) {
  currentLineStyle = style;
  penStyle = style == LineStyleDotted ? PS_DOT : PS_SOLID;
  rebuildPen();
}

void GuiDrawingContext::setLineColour(const GuiColour& colour) {
  currentLineColour = colour;
  rebuildPen();
}

void GuiDrawingContext::rebuildPen() {
  if (!dc) return;
  LOGPEN description{penStyle, {penWidth, 0}, currentLineColour.colourRef()};
  HPEN pen = CreatePenIndirect(&description);
  if (!pen) return;
  SelectObject(dc, pen);
  if (ownPen) DeleteObject(ownPen);
  ownPen = pen;
}

void GuiDrawingContext::setFillColour(const GuiColour& colour) {
  currentFillColour = colour;
  if (!dc) return;
  SetBkColor(dc, colour.colourRef());
  LOGBRUSH description{BS_SOLID, colour.colourRef(), 0};
  HBRUSH brush = CreateBrushIndirect(&description);
  if (!brush) return;
  SelectObject(dc, brush);
  if (ownBrush) DeleteObject(ownBrush);
  ownBrush = brush;
}

void GuiDrawingContext::setTextColour(const GuiColour& colour) {
  currentTextColour = colour;
  if (dc) SetTextColor(dc, colour.colourRef());
}

void GuiDrawingContext::selectFont(std::int32_t fontId, std::int32_t size, std::int32_t style) {
  if (fontId < 0 || fontId >= kFontCount) fontId = 0;
  if (size == 0) size = kFontTable[fontId].defaultSize;
  currentFontId = fontId;
  currentFontSize = size;

  LOGFONTA description{};
  description.lfHeight = -size;
  description.lfWeight = (style & FontStyleBold) ? kWeightBold : kWeightNormal;
  description.lfItalic = (style & FontStyleItalic) ? TRUE : FALSE;
  description.lfUnderline = (style & FontStyleUnderline) ? TRUE : FALSE;
  description.lfCharSet = ANSI_CHARSET;
  description.lfOutPrecision = OUT_STRING_PRECIS;
  description.lfClipPrecision = CLIP_STROKE_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = FF_SWISS | VARIABLE_PITCH;
  std::strncpy(description.lfFaceName, kFontTable[fontId].faceName, LF_FACESIZE - 1);
  if (fontId == kSymbolFont) description.lfPitchAndFamily = FF_DECORATIVE | DEFAULT_PITCH;
  if (fontId == kAlwaysBoldFont) description.lfWeight = kWeightBold;

  if (!dc) return;
  HFONT font = CreateFontIndirectA(&description);
  if (!font) return;
  SelectObject(dc, font);
  if (ownFont) DeleteObject(ownFont);
  ownFont = font;
}

void GuiDrawingContext::drawText(const char* text, const GuiRect& r, bool opaque, std::int32_t alignment) {
  if (!dc || !text) return;
  const GuiRect shifted = r.offsetBy(offset);
  RECT area{shifted.left, shifted.top, shifted.right, shifted.bottom};
  SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
  if (alignment == TextAlignCentre) {
    format |= DT_CENTER;
  } else if (alignment == TextAlignRight) {
    format |= DT_RIGHT;
  } else {
    area.left += 1;
  }
  DrawTextA(dc, text, -1, &area, format);
  SetBkMode(dc, TRANSPARENT);
}

std::int32_t GuiDrawingContext::readMouseButtons() const {
  std::int32_t buttons = 0;
  if (keyHeld(VK_LBUTTON)) buttons |= MouseButtonLeft;
  if (keyHeld(VK_MBUTTON)) buttons |= MouseButtonMiddle;
  if (keyHeld(VK_RBUTTON)) buttons |= MouseButtonRight;
  if (keyHeld(VK_SHIFT)) buttons |= ModifierShift;
  if (keyHeld(VK_CONTROL)) buttons |= ModifierControl;
  if (keyHeld(VK_MENU)) buttons |= ModifierAlt;
  return buttons;
}

void GuiDrawingContext::readMousePosition(GuiPoint& p) const {
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  p = {cursor.x - origin.x, cursor.y - origin.y};
}
