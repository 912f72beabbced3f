#include "gui/GuiFrame.h"

#include <new>

#include "gui/GuiBitmap.h"
#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrameOwner.h"

namespace {

constexpr std::int32_t kViewListGrowth = 10;

}  // namespace

GuiFrame::GuiFrame(const GuiRect& rect, GuiNativeWindow nativeParent, GuiFrameOwner* frameOwner)
    : GuiView(rect),
      owner(frameOwner),
      parentWindow(nativeParent),
      pixelScale(frameOwner ? frameOwner->frameScale() : GuiScale{}) {
  createWindow(nativeParent);
}

// The window goes with the members, after the views.
GuiFrame::~GuiFrame() {
  setCursorShape(CursorDefault);
  setDropTargetActive(false);
  removeAllViews(true);
}

template <typename Work>
void GuiFrame::withWindowContext(Work&& work) {
  window.withContext([](GuiDrawingContext& context, void* data) { (*static_cast<Work*>(data))(context); }, &work);
}

void GuiFrame::draw(GuiDrawingContext& context) {
  if (!open) return;
  firstDrawPending = false;
  if (background) {
    background->drawOpaque(context, {0, 0, background->width(), background->height()}, {0, 0});
  }
  for (GuiView* view : views) view->draw(context);
}

void GuiFrame::drawInRect(GuiDrawingContext& context, const GuiRect& updateRect) {
  if (!open) return;
  firstDrawPending = false;
  if (background) background->drawOpaque(context, updateRect, {updateRect.left, updateRect.top});
  for (GuiView* view : views) {
    if (view->overlaps(updateRect)) view->drawInRect(context, updateRect);
  }
}

void GuiFrame::paintWindowArea(GuiDrawingContext& context, const GuiRect& windowArea) {
  drawInRect(context, pixelScale.coveringLogical(windowArea));
}

void GuiFrame::redrawIfDirty(GuiDrawingContext& context) {
  if (!open) return;
  if (GuiView::isDirty()) {
    draw(context);
    setDirty(false);
    return;
  }
  for (GuiView* view : views) view->redrawIfDirty(context);
}

void GuiFrame::close() {
  open = false;
  owner = nullptr;
}

void GuiFrame::idle() {
  // A press handled below runs a drag whose host may close the editor: the
  // window and its connection stay until the events' handling has unwound.
  const Hold hold(*this);
  if (open && !firstDrawPending && isAnyViewDirty()) {
    withWindowContext([this](GuiDrawingContext& context) { redrawIfDirty(context); });
  }
  // Paints come after the redraw, as on Windows, where the host's loop
  // delivers them between its idle calls.
  window.handlePendingEvents();
}

void GuiFrame::drawNow() {
  withWindowContext([this](GuiDrawingContext& context) { draw(context); });
}

bool GuiFrame::isAnyViewDirty() const {
  if (GuiView::isDirty()) return true;
  for (const GuiView* view : views) {
    if (view->isDirty()) return true;
  }
  return false;
}

void GuiFrame::onMouseDown(GuiDrawingContext& context, const GuiPoint& where) {
  if (!open) return;
  if (focusView) {
    GuiView* previous = focusView;
    focusView = nullptr;
    previous->loseFocus(nullptr);
  }
  // Counted while a control the press reaches may track the mouse.
  struct PressCount {
    explicit PressCount(std::int32_t& counted) : depth(counted) { ++depth; }
    ~PressCount() { --depth; }
    std::int32_t& depth;
  } const counting(pressDepth);
  const GuiPoint at = pixelScale.toLogical(where);
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    GuiView* view = *it;
    if (view->isMouseEnabled() && view->hitTest(at)) {
      view->onMouseDown(context, at);
      return;
    }
  }
}

std::int32_t GuiFrame::onKeyDown(const GuiKeyStroke& key) { return routeKey(&GuiView::onKeyDown, key); }

std::int32_t GuiFrame::onKeyUp(const GuiKeyStroke& key) { return routeKey(&GuiView::onKeyUp, key); }

std::int32_t GuiFrame::routeKey(KeyHandler handler, const GuiKeyStroke& key) {
  if (!open) return -1;
  const Hold hold(*this);
  if (focusView) {
    const std::int32_t answer = (focusView->*handler)(key);
    if (answer != -1) return answer;
  }
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    const std::int32_t answer = ((*it)->*handler)(key);
    if (answer != -1) return answer;
  }
  return -1;
}

bool GuiFrame::onDrop(char** items, std::int32_t count, GuiDropKind kind, const GuiPoint& where) {
  if (!open || focusView) return false;
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    GuiView* view = *it;
    if (view->isMouseEnabled() && view->viewSize().contains(where) && view->onDrop(items, count, kind, where)) {
      return true;
    }
  }
  return false;
}

bool GuiFrame::onWheel(GuiDrawingContext* context, const GuiPoint&, float distance) {
  if (!open) return false;
  const Hold hold(*this);
  GuiView* view = viewUnderCursor();
  if (!view) return false;
  GuiPoint where;
  cursorPosition(where);
  if (context) return view->onWheel(context, where, distance);
  bool answer = false;
  withWindowContext([&](GuiDrawingContext& temporary) { answer = view->onWheel(&temporary, where, distance); });
  return answer;
}

GuiFrameOwner* GuiFrame::owningEditor() const { return owner; }

bool GuiFrame::addView(GuiView* view) {
  if (!view) return false;
  if (static_cast<std::int32_t>(views.size()) == capacity) {
    try {
      views.reserve(static_cast<std::size_t>(capacity) + kViewListGrowth);
    } catch (const std::bad_alloc&) {
      return false;
    }
    capacity += kViewListGrowth;
  }
  views.push_back(view);
  view->frame = this;
  view->onAttached(this);
  return true;
}

bool GuiFrame::removeView(GuiView* view, bool release) {
  for (auto it = views.begin(); it != views.end(); ++it) {
    if (*it != view) continue;
    views.erase(it);
    if (focusView == view) focusView = nullptr;
    view->onRemoved(this);
    if (release) view->release();
    break;
  }
  return true;
}

bool GuiFrame::removeAllViews(bool release) {
  if (focusView) {
    focusView->loseFocus(nullptr);
    focusView = nullptr;
  }
  std::vector<GuiView*> removed;
  removed.swap(views);
  for (GuiView* view : removed) {
    view->onRemoved(this);
    if (release) view->release();
  }
  capacity = 0;
  return true;
}

bool GuiFrame::isChild(const GuiView* view) const {
  for (const GuiView* child : views) {
    if (child == view) return true;
  }
  return false;
}

std::int32_t GuiFrame::viewCount() const { return static_cast<std::int32_t>(views.size()); }

GuiView* GuiFrame::viewAt(std::int32_t index) const {
  if (index < 0 || index >= viewCount()) return nullptr;
  return views[static_cast<std::size_t>(index)];
}

void GuiFrame::setBackground(GuiBitmap* bitmap) { background = GuiBitmapHandle(bitmap); }

void GuiFrame::setFocusView(GuiView* view) {
  GuiView* previous = focusView;
  focusView = view;
  if (previous) previous->loseFocus(nullptr);
}

GuiView* GuiFrame::viewUnderCursor() const {
  GuiPoint where;
  cursorPosition(where);
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    if ((*it)->viewSize().contains(where)) return *it;
  }
  return nullptr;
}

bool GuiFrame::cursorPosition(GuiPoint& p) const {
  p = pixelScale.toLogical(window.pointerPosition());
  return true;
}

void GuiFrame::setCursorShape(std::uint32_t shape) { window.setCursorShape(shape); }

std::int32_t GuiFrame::readKnobMode() const { return owner ? owner->readKnobMode() : 0; }

void GuiFrame::beginParameterEdit(std::int32_t index) {
  if (owner) owner->beginParameterEdit(index);
}

void GuiFrame::endParameterEdit(std::int32_t index) {
  if (owner) owner->endParameterEdit(index);
}

void GuiFrame::pumpEditorIdle() {
  if (owner) owner->pumpIdle();
}

void GuiFrame::dispatchPendingPaint() { window.dispatchPendingPaint(); }

bool GuiFrame::createWindow(GuiNativeWindow nativeParent) {
  if (!window.create(nativeParent, pixelScale.toDevice(size))) return false;
  setDropTargetActive(true);
  return true;
}

bool GuiFrame::setDropTargetActive(bool on) {
  // A thread in the multithreaded apartment refused OLE, which drag and drop
  // needs: Windows refuses the target there (Wine takes it), so go without.
  if (on && !threadSetup.allowsDropTarget()) return false;
  return window.setDropTargetActive(on);
}

void GuiFrame::onWindowDestroyed() {
  open = false;
  parentWindow = nullptr;
  window.forget();
}
