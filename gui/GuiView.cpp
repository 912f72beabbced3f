#include "gui/GuiView.h"

#include "gui/GuiFrame.h"

GuiView::GuiView(const GuiRect& initialSize) : size(initialSize), mouseRect(initialSize) {}

void GuiView::draw(GuiDrawingContext&) {}

void GuiView::drawInRect(GuiDrawingContext& context, const GuiRect&) { draw(context); }

bool GuiView::overlaps(const GuiRect& r) const {
  if (r.right < size.left || r.left > size.right || r.bottom < size.top) return false;
  return r.top <= size.bottom;
}

void GuiView::onMouseDown(GuiDrawingContext&, const GuiPoint&) {}

void GuiView::redrawIfDirty(GuiDrawingContext& context) {
  if (!isDirty()) return;
  draw(context);
  setDirty(false);
}

std::int32_t GuiView::onKeyDown(const GuiKeyStroke&) { return -1; }
std::int32_t GuiView::onKeyUp(const GuiKeyStroke&) { return -1; }
bool GuiView::onDrop(char**, std::int32_t, GuiDropKind, const GuiPoint&) { return false; }
bool GuiView::onWheel(GuiDrawingContext*, const GuiPoint&, float) { return false; }
void GuiView::loseFocus(GuiDrawingContext*) {}
bool GuiView::isDirty() const { return dirty.load(std::memory_order_relaxed); }
void GuiView::setDirty(bool on) { dirty.store(on, std::memory_order_relaxed); }
void GuiView::setMouseEnabled(bool enabled) { mouseEnabled = enabled; }
bool GuiView::isMouseEnabled() const { return mouseEnabled; }
void GuiView::setMouseArea(const GuiRect& area) { mouseRect = area; }

GuiRect& GuiView::mouseArea(GuiRect& area) const {
  area = mouseRect;
  return area;
}

bool GuiView::hitTest(const GuiPoint& where) const { return size.contains(where); }
void GuiView::setTransparent(bool on) { transparent = on; }
bool GuiView::isTransparent() const { return transparent; }

void GuiView::setViewSize(const GuiRect& newSize) {
  size = newSize;
  setDirty(true);
}

void GuiView::setFrame(GuiFrame* newFrame) { frame = newFrame; }
void GuiView::setParentView(GuiView* view) { parent = view; }

GuiFrameOwner* GuiView::owningEditor() const { return frame ? frame->owningEditor() : nullptr; }

bool GuiView::onRemoved(GuiFrame*) { return true; }
bool GuiView::onAttached(GuiFrame*) { return true; }

void GuiView::release() {
  if (references <= 0) return;
  if (--references == 0) delete this;
}

void GuiView::retain() { ++references; }
std::int32_t GuiView::referenceCount() const { return references; }
