#include "gui/GuiDrawingContext.h"

#include <algorithm>
#include <cstdlib>

#include "gui/GuiFrame.h"

// The back ends draw the lines; the outline is theirs joined up.
void GuiDrawingContext::frameRect(const GuiRect& r) {
  moveTo({r.left, r.top});
  lineTo({r.right, r.top});
  lineTo({r.right, r.bottom});
  lineTo({r.left, r.bottom});
  lineTo({r.left, r.top});
}

void GuiDrawingContext::paintWhole(std::int32_t width, std::int32_t height, const GuiColour& colour) {
  setFillColour(colour);
  setLineColour(colour);
  const GuiRect whole{0, 0, width, height};
  fillRect(whole);
  frameRect(whole);
}

GuiScale GuiDrawingContext::scaleOf(const GuiFrame* frame) { return frame ? frame->scale() : GuiScale{}; }

void GuiDrawingContext::scaledLineTo(const GuiPoint& p) {
  const GuiPoint from = penPosition;
  const GuiPoint to{p.x + offset.x, p.y + offset.y};
  penPosition = to;
  const auto block = [this](std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    fillDevicePixels(pixelScale.toDevice(GuiRect{left, top, right, bottom}), currentLineColour);
  };
  const bool dotted = currentLineStyle == LineStyleDotted;
  if (!dotted && (from.x == to.x || from.y == to.y)) {
    // One block: the end point is left out, as GDI leaves it out.
    if (from.y == to.y && from.x != to.x) {
      block((std::min)(from.x, to.x + 1), from.y, (std::max)(from.x + 1, to.x), from.y + 1);
    } else if (from.x == to.x && from.y != to.y) {
      block(from.x, (std::min)(from.y, to.y + 1), from.x + 1, (std::max)(from.y + 1, to.y));
    }
    return;
  }
  // Bresenham's steps from the start, the end left out.
  const std::int32_t dx = std::abs(to.x - from.x);
  const std::int32_t dy = -std::abs(to.y - from.y);
  const std::int32_t sx = from.x < to.x ? 1 : -1;
  const std::int32_t sy = from.y < to.y ? 1 : -1;
  std::int32_t error = dx + dy;
  GuiPoint at = from;
  for (std::int32_t step = 0; at.x != to.x || at.y != to.y; ++step) {
    if (!dotted || step % 2 == 0) block(at.x, at.y, at.x + 1, at.y + 1);
    const std::int32_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      at.x += sx;
    }
    if (twice <= dx) {
      error += dx;
      at.y += sy;
    }
  }
}
