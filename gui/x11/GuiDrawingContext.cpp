#include "gui/GuiDrawingContext.h"

#include <new>

#include "gui/GuiFontTable.h"
#include "gui/x11/X11ChildWindow.h"
#include "gui/x11/X11Painter.h"
#include "gui/x11/X11Pointer.h"
#include "gui/x11/X11Surface.h"

// The surface and the painter that keeps the context's pen, brush and font on
// its cairo context.
struct GuiDrawingContext::Native {
  X11Surface* surface = nullptr;
  std::unique_ptr<X11Painter> painter;
  // The connection of the context's window when it is one of ours.
  Display* windowConnection = nullptr;

  // Our connection to ask the pointer through: the window drawn on, or the
  // context's window; none for images of no window of ours.
  Display* display() const {
    if (surface && surface->shownOn()) return surface->shownOn()->display();
    return windowConnection;
  }
  void drawn(const GuiRect& area) {
    if (surface) surface->markDrawn(area);
  }
};

namespace {

X11Surface* x11Surface(GuiNativeSurface surface) { return static_cast<X11Surface*>(surface); }

}  // namespace

GuiDrawingContext::GuiDrawingContext(GuiFrame* frame, GuiNativeSurface surface, GuiNativeWindow window)
    : pixelScale(scaleOf(frame)), native(new (std::nothrow) Native) {
  if (window) {
    // Our own windows are asked through their own connection.
    const auto id = static_cast<Window>(reinterpret_cast<std::uintptr_t>(window));
    const X11ChildWindow* ours = X11ChildWindow::find(id);
    if (native && ours) native->windowConnection = ours->display();
    origin = windowScreenOrigin(ours ? ours->display() : nullptr, id);
  }
  if (surface) adoptSurface(surface);
}

void GuiDrawingContext::adoptSurface(GuiNativeSurface surface) {
  nativeSurface = surface;
  if (!native) return;
  native->surface = x11Surface(surface);
  native->painter.reset(new (std::nothrow) X11Painter(native->surface->context()));
  setLineColour(currentLineColour);
  setLineStyle(currentLineStyle);
  setFillColour(currentFillColour);
  setTextColour(currentTextColour);
}

GuiDrawingContext::~GuiDrawingContext() { restoreSurface(); }

void GuiDrawingContext::restoreSurface() {
  if (!native || !native->surface) return;
  native->painter.reset();
  native->surface->showDrawn();
  native->surface = nullptr;
}

void GuiDrawingContext::moveTo(const GuiPoint& p) {
  penPosition = {p.x + offset.x, p.y + offset.y};
  if (native && native->painter) native->painter->moveTo(penPosition);
}

void GuiDrawingContext::lineTo(const GuiPoint& p) {
  if (!pixelScale.isOne()) {
    scaledLineTo(p);
    return;
  }
  penPosition = {p.x + offset.x, p.y + offset.y};
  if (native && native->painter) native->drawn(native->painter->lineTo(penPosition));
}

void GuiDrawingContext::fillRect(const GuiRect& r) {
  // Strictly the inside of frameRect's outline.
  if (!native || !native->painter) return;
  const GuiRect shifted = r.offsetBy(offset);
  native->drawn(native->painter->fillPixels(
      pixelScale.toDevice(GuiRect{shifted.left + 1, shifted.top + 1, shifted.right, shifted.bottom})));
}

void GuiDrawingContext::fillDevicePixels(const GuiRect& device, const GuiColour& colour) {
  if (!native || !native->painter) return;
  native->painter->setBrush(colour);
  native->drawn(native->painter->fillPixels(device));
  native->painter->setBrush(currentFillColour);
}

void GuiDrawingContext::setLineStyle(std::int32_t style) {
  currentLineStyle = style;
  if (native && native->painter) native->painter->setPen(currentLineColour, style == LineStyleDotted);
}

void GuiDrawingContext::setLineColour(const GuiColour& colour) {
  currentLineColour = colour;
  if (native && native->painter) native->painter->setPen(colour, currentLineStyle == LineStyleDotted);
}

void GuiDrawingContext::setFillColour(const GuiColour& colour) {
  currentFillColour = colour;
  if (native && native->painter) native->painter->setBrush(colour);
}

void GuiDrawingContext::setTextColour(const GuiColour& colour) {
  currentTextColour = colour;
  if (native && native->painter) native->painter->setTextColour(colour);
}

void GuiDrawingContext::selectFont(std::int32_t fontId, std::int32_t size, std::int32_t style) {
  if (fontId < 0 || fontId >= kFontCount) fontId = 0;
  if (size == 0) size = kFontTable[fontId].defaultSize;
  currentFontId = fontId;
  currentFontSize = size;
  if (!native || !native->painter) return;
  const bool bold = (style & FontStyleBold) || fontId == kAlwaysBoldFont;
  native->painter->selectFont(kFontTable[fontId].faceName, pixelScale.toDevice(size), bold,
                              (style & FontStyleItalic) != 0, (style & FontStyleUnderline) != 0, pixelScale.isOne());
}

void GuiDrawingContext::drawText(const char* text, const GuiRect& r, bool opaque, std::int32_t alignment) {
  if (!native || !native->painter || !text) return;
  GuiRect area = r.offsetBy(offset);
  X11Painter::Align align = X11Painter::Align::Left;
  if (alignment == TextAlignCentre) {
    align = X11Painter::Align::Centre;
  } else if (alignment == TextAlignRight) {
    align = X11Painter::Align::Right;
  } else {
    area.left += 1;
  }
  native->drawn(native->painter->drawText(text, pixelScale.toDevice(area), align, opaque));
}

std::int32_t GuiDrawingContext::readMouseButtons() const {
  // A control polls here between the steps of a drag: show the last step first.
  if (native && native->surface) native->surface->showDrawn();
  X11PointerState pointer;
  queryPointer(native ? native->display() : nullptr, pointer);
  return pointer.buttons;
}

void GuiDrawingContext::readMousePosition(GuiPoint& p) const {
  X11PointerState pointer;
  queryPointer(native ? native->display() : nullptr, pointer);
  p = pixelScale.toLogical(GuiPoint{pointer.onScreen.x - origin.x, pointer.onScreen.y - origin.y});
}
