#pragma once
// Draws on one native surface with the pen, brush and font that this context
// makes for it; whatever it changed on the surface is put back when it ends.
//
// Platform seam: this header is portable, frameRect is in
// gui/GuiDrawingContext.cpp; gui/win32/GuiDrawingContext.cpp (a device
// context) and gui/x11/GuiDrawingContext.cpp (a cairo context) define every
// other operation not defined here, and the struct Native with the back end's
// own state. Shapes must land on the same pixels on every back end:
// - lineTo draws from the current point to p and leaves p itself out; the
//   next lineTo starts at p;
// - frameRect covers the edge rows and columns, both inclusive; fillRect
//   covers strictly the inside of that outline;
// - a dotted line alternates lit and unlit pixels as GDI's PS_DOT pen does;
// - nothing is antialiased except text.
// Text may differ between rasterisers, but not its box or its alignment.
// Coordinates are the toolkit's pixels; a context made for a frame of a
// larger scale maps them to the window's pixels by GuiScale's rule: edges and
// boxes scale, text takes the scaled size, unsmoothed as the panel's small
// sizes are at scale 1 (so that both back ends put it on the same pixels), and
// a line covers the window pixels of the toolkit pixels it covers at scale 1.

#include <cstdint>
#include <memory>

#include "gui/GuiColour.h"
#include "gui/GuiPlatformTypes.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"
#include "gui/GuiScale.h"

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
  // A context drawing on surface (which may be null: it then draws nothing).
  // window, if given, is the window the surface belongs to: it gives the
  // origin of readMousePosition. The frame, if given, is the frame the
  // context draws for; a back end may ask it for its window-system connection.
  GuiDrawingContext(GuiFrame* frame, GuiNativeSurface surface, GuiNativeWindow window);
  virtual ~GuiDrawingContext();

  GuiDrawingContext(const GuiDrawingContext&) = delete;
  GuiDrawingContext& operator=(const GuiDrawingContext&) = delete;

  void moveTo(const GuiPoint& p);
  void lineTo(const GuiPoint& p);
  void frameRect(const GuiRect& r);
  void fillRect(const GuiRect& r);

  void setLineStyle(std::int32_t style);
  void setLineColour(const GuiColour& colour);
  // Also the background behind opaque text.
  void setFillColour(const GuiColour& colour);
  void setTextColour(const GuiColour& colour);
  // Font ids outside 0 to 7 become 0; a size of 0 is the font's default size
  // (see GuiFontTable.h). Sizes are character heights in pixels.
  void selectFont(std::int32_t fontId, std::int32_t size = 0, std::int32_t style = 0);
  // One line, vertically centred in r, not clipped to it; left-aligned text
  // starts one pixel inside r. Opaque text fills its own box with the fill colour.
  void drawText(const char* text, const GuiRect& r, bool opaque = false, std::int32_t alignment = TextAlignCentre);

  // Live state of the buttons and modifiers at the moment of the call (not
  // that of some queued event): drag loops poll it until the left button is up.
  std::int32_t readMouseButtons() const;
  // The pointer relative to the window's top-left corner, in the toolkit's
  // pixels; screen coordinates without a window.
  void readMousePosition(GuiPoint& p) const;

  GuiNativeSurface surface() const { return nativeSurface; }
  const GuiPoint& drawOffset() const { return offset; }
  const GuiPoint& windowOrigin() const { return origin; }
  std::int32_t fontId() const { return currentFontId; }
  std::int32_t fontSize() const { return currentFontSize; }
  std::int32_t lineWidth() const { return penWidth; }
  std::int32_t lineStyle() const { return currentLineStyle; }
  const GuiColour& lineColour() const { return currentLineColour; }
  const GuiColour& fillColour() const { return currentFillColour; }
  const GuiColour& textColour() const { return currentTextColour; }
  const GuiScale& scale() const { return pixelScale; }

  // The back end's own state, defined by the back end.
  struct Native;

protected:
  // For the offscreen context, whose surface exists only after the plain part is built.
  void adoptSurface(GuiNativeSurface surface);
  // Puts back what the context changed on its surface, once; before the surface goes.
  void restoreSurface();
  // Paints width x height pixels from (0, 0) in the colour, outline included.
  void paintWhole(std::int32_t width, std::int32_t height, const GuiColour& colour);
  // The frame's scale, or 1 without a frame.
  static GuiScale scaleOf(const GuiFrame* frame);
  // Lines at a scale other than 1: the toolkit pixels a line covers at scale
  // 1 (by the same stepping on every back end), each as its block of window pixels.
  void scaledLineTo(const GuiPoint& p);
  // Paints the window pixels from (left, top) up to, without, (right, bottom); back end.
  void fillDevicePixels(const GuiRect& device, const GuiColour& colour);

  GuiPoint origin;
  GuiPoint offset;
  GuiScale pixelScale;
  // Where the next scaled line starts, in the toolkit's pixels, offset included.
  GuiPoint penPosition;
  GuiNativeSurface nativeSurface = nullptr;
  std::int32_t currentFontSize = 0;
  std::int32_t currentFontId = 0;
  GuiColour currentTextColour = ColourWhite;
  std::int32_t penWidth = 1;
  GuiColour currentLineColour = ColourWhite;
  GuiColour currentFillColour = ColourBlack;
  std::int32_t currentLineStyle = LineStyleSolid;
  // Null when it could not be made: the context then draws nothing.
  std::unique_ptr<Native> native;
};
