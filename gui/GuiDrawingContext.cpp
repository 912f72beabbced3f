#include "gui/GuiDrawingContext.h"

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
