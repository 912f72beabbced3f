#include "gui/GuiDrawingContext.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "gui/GuiFontTable.h"
#include "gui/win32/GuiGdiObject.h"

// The device context, the objects found selected in it, and the pen, brush
// and font the context made.
struct GuiDrawingContext::Native {
  // Makes a pen of the context's style, width and colour and selects it.
  void rebuildPen(const GuiDrawingContext& context);

  HDC dc = nullptr;
  HGDIOBJ savedBrush = nullptr;
  HGDIOBJ savedPen = nullptr;
  HGDIOBJ savedFont = nullptr;
  GuiGdiObject<HBRUSH> ownBrush;
  GuiGdiObject<HPEN> ownPen;
  GuiGdiObject<HFONT> ownFont;
  UINT penStyle = PS_SOLID;
};

namespace {

constexpr LONG kWeightNormal = 400;
constexpr LONG kWeightBold = 700;

bool keyHeld(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

// Selects the new object and deletes the one the context made before it.
template <typename Handle>
void replaceOwn(HDC dc, GuiGdiObject<Handle>& own, Handle made) {
  SelectObject(dc, made);
  own.reset(made);
}

}  // namespace

GuiDrawingContext::GuiDrawingContext(GuiFrame* frame, GuiNativeSurface surface, GuiNativeWindow window)
    : pixelScale(scaleOf(frame)), native(new (std::nothrow) Native) {
  if (window) {
    RECT r;
    if (GetWindowRect(static_cast<HWND>(window), &r)) origin = {r.left, r.top};
  }
  if (surface) adoptSurface(surface);
}

void GuiDrawingContext::adoptSurface(GuiNativeSurface surface) {
  nativeSurface = surface;
  if (!native) return;
  HDC dc = native->dc = static_cast<HDC>(surface);
  native->savedBrush = GetCurrentObject(dc, OBJ_BRUSH);
  native->savedPen = GetCurrentObject(dc, OBJ_PEN);
  native->savedFont = GetCurrentObject(dc, OBJ_FONT);
  SetBkMode(dc, TRANSPARENT);
  setLineColour(currentLineColour);
  setLineStyle(currentLineStyle);
  setFillColour(currentFillColour);
  setTextColour(currentTextColour);
}

// The objects the context made go with it, once none of them is selected any more.
GuiDrawingContext::~GuiDrawingContext() { restoreSurface(); }

void GuiDrawingContext::restoreSurface() {
  if (!native || !native->dc) return;
  HDC dc = native->dc;
  if (native->savedBrush) SelectObject(dc, native->savedBrush);
  if (native->savedPen) SelectObject(dc, native->savedPen);
  if (native->savedFont) SelectObject(dc, native->savedFont);
  native->savedBrush = native->savedPen = native->savedFont = nullptr;
}

void GuiDrawingContext::Native::rebuildPen(const GuiDrawingContext& context) {
  if (!dc) return;
  LOGPEN description{penStyle, {context.lineWidth(), 0}, context.lineColour().colourRef()};
  HPEN pen = CreatePenIndirect(&description);
  if (pen) replaceOwn(dc, ownPen, pen);
}

void GuiDrawingContext::moveTo(const GuiPoint& p) {
  penPosition = {p.x + offset.x, p.y + offset.y};
  if (native) MoveToEx(native->dc, penPosition.x, penPosition.y, nullptr);
}

void GuiDrawingContext::lineTo(const GuiPoint& p) {
  if (!pixelScale.isOne()) {
    scaledLineTo(p);
    return;
  }
  penPosition = {p.x + offset.x, p.y + offset.y};
  if (native) LineTo(native->dc, penPosition.x, penPosition.y);
}

void GuiDrawingContext::fillRect(const GuiRect& r) {
  // GDI leaves the right column and bottom row out, so this is exactly the
  // inside of frameRect's outline.
  if (!native) return;
  HDC dc = native->dc;
  const GuiRect shifted = r.offsetBy(offset);
  const GuiRect device = pixelScale.toDevice(GuiRect{shifted.left + 1, shifted.top + 1, shifted.right, shifted.bottom});
  const RECT inside{device.left, device.top, device.right, device.bottom};
  HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
  FillRect(dc, &inside, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  SelectObject(dc, previousPen);
}

void GuiDrawingContext::fillDevicePixels(const GuiRect& device, const GuiColour& colour) {
  if (!native || !native->dc) return;
  const RECT area{device.left, device.top, device.right, device.bottom};
  const GuiGdiObject<HBRUSH> brush(CreateSolidBrush(colour.colourRef()));
  if (brush) FillRect(native->dc, &area, brush.get());
}

void GuiDrawingContext::setLineStyle(std::int32_t style) {
  currentLineStyle = style;
  if (!native) return;
  native->penStyle = style == LineStyleDotted ? PS_DOT : PS_SOLID;
  native->rebuildPen(*this);
}

void GuiDrawingContext::setLineColour(const GuiColour& colour) {
  currentLineColour = colour;
  if (native) native->rebuildPen(*this);
}

void GuiDrawingContext::setFillColour(const GuiColour& colour) {
  currentFillColour = colour;
  if (!native || !native->dc) return;
  SetBkColor(native->dc, colour.colourRef());
  LOGBRUSH description{BS_SOLID, colour.colourRef(), 0};
  HBRUSH brush = CreateBrushIndirect(&description);
  if (brush) replaceOwn(native->dc, native->ownBrush, brush);
}

void GuiDrawingContext::setTextColour(const GuiColour& colour) {
  currentTextColour = colour;
  if (native && native->dc) SetTextColor(native->dc, colour.colourRef());
}

void GuiDrawingContext::selectFont(std::int32_t fontId, std::int32_t size, std::int32_t style) {
  if (fontId < 0 || fontId >= kFontCount) fontId = 0;
  if (size == 0) size = kFontTable[fontId].defaultSize;
  currentFontId = fontId;
  currentFontSize = size;

  LOGFONTA description{};
  description.lfHeight = -pixelScale.toDevice(size);
  description.lfWeight = (style & FontStyleBold) ? kWeightBold : kWeightNormal;
  description.lfItalic = (style & FontStyleItalic) ? TRUE : FALSE;
  description.lfUnderline = (style & FontStyleUnderline) ? TRUE : FALSE;
  description.lfCharSet = ANSI_CHARSET;
  description.lfOutPrecision = OUT_STRING_PRECIS;
  description.lfClipPrecision = CLIP_STROKE_PRECIS;
  description.lfQuality = pixelScale.isOne() ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY;
  description.lfPitchAndFamily = FF_SWISS | VARIABLE_PITCH;
  std::strncpy(description.lfFaceName, kFontTable[fontId].faceName, LF_FACESIZE - 1);
  if (fontId == kSymbolFont) description.lfPitchAndFamily = FF_DECORATIVE | DEFAULT_PITCH;
  if (fontId == kAlwaysBoldFont) description.lfWeight = kWeightBold;

  if (!native || !native->dc) return;
  HFONT font = CreateFontIndirectA(&description);
  if (font) replaceOwn(native->dc, native->ownFont, font);
}

void GuiDrawingContext::drawText(const char* text, const GuiRect& r, bool opaque, std::int32_t alignment) {
  if (!native || !native->dc || !text) return;
  HDC dc = native->dc;
  GuiRect shifted = r.offsetBy(offset);
  SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
  if (alignment == TextAlignCentre) {
    format |= DT_CENTER;
  } else if (alignment == TextAlignRight) {
    format |= DT_RIGHT;
  } else {
    shifted.left += 1;
  }
  const GuiRect device = pixelScale.toDevice(shifted);
  RECT area{device.left, device.top, device.right, device.bottom};
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
  p = pixelScale.toLogical(GuiPoint{cursor.x - origin.x, cursor.y - origin.y});
}
