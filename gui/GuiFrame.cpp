#include "gui/GuiFrame.h"

#include <new>

#include <ole2.h>

#include "editor/GuiEditorBase.h"
#include "gui/GuiBitmap.h"
#include "gui/GuiDrawingContext.h"
#include "gui/GuiDropTarget.h"
#include "gui/GuiWindowClass.h"
#include "host/PluginMain.h"

namespace {

constexpr std::int32_t kViewListGrowth = 10;
constexpr char kWindowTitle[] = "Window";

}  // namespace

GuiFrame::GuiFrame(const GuiRect& rect, HWND parentWindow, GuiEditorBase* editor)
    : GuiView(rect), editor(editor), parentWindow(parentWindow) {
  oleInitialised = SUCCEEDED(OleInitialize(nullptr));
  createWindow(parentWindow);
}

GuiFrame::~GuiFrame() {
  setCursorShape(CursorDefault);
  setDropTargetActive(false);
  removeAllViews(true);
  setBackground(nullptr);
  if (oleInitialised) OleUninitialize();
  if (window) {
    // Messages sent while the window goes find no frame any more.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
  if (windowClassInUse) GuiWindowClass::unregisterWindowClass();
}

template <typename Work> void GuiFrame::withWindowContext(Work&& work) {
  if (!window) return;
  HDC dc = GetDC(window);
  if (!dc) return;
  {
    GuiDrawingContext context(this, dc, window);
    work(context);
  }
  ReleaseDC(window, dc);
}

void GuiFrame::draw(GuiDrawingContext& context) {
  firstDrawPending = false;
  if (background) {
    background->drawOpaque(context, {0, 0, background->width(), background->height()}, {0, 0});
  }
  for (GuiView* view : views) view->draw(context);
}

void GuiFrame::drawInRect(GuiDrawingContext& context, const GuiRect& updateRect) {
  firstDrawPending = false;
  if (background) background->drawOpaque(context, updateRect, {updateRect.left, updateRect.top});
  for (GuiView* view : views) {
    if (view->overlaps(updateRect)) view->drawInRect(context, updateRect);
  }
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

void GuiFrame::idle() {
  if (!open || firstDrawPending) return;
  if (!isAnyViewDirty()) return;
  withWindowContext([this](GuiDrawingContext& context) { redrawIfDirty(context); });
}

bool GuiFrame::isAnyViewDirty() const {
  if (GuiView::isDirty()) return true;
  for (const GuiView* view : views) {
    if (view->isDirty()) return true;
  }
  return false;
}

void GuiFrame::onMouseDown(GuiDrawingContext& context, const GuiPoint& where) {
  if (focusView) {
    GuiView* previous = focusView;
    focusView = nullptr;
    previous->loseFocus(nullptr);
  }
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    GuiView* view = *it;
    if (view->isMouseEnabled() && view->hitTest(where)) {
      view->onMouseDown(context, where);
      return;
    }
  }
}

std::int32_t GuiFrame::onKeyDown(const KeyStroke& key) { return routeKey(&GuiView::onKeyDown, key); }

std::int32_t GuiFrame::onKeyUp(const KeyStroke& key) { return routeKey(&GuiView::onKeyUp, key); }

std::int32_t GuiFrame::routeKey(KeyHandler handler, const KeyStroke& key) {
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

bool GuiFrame::onDrop(char** items, std::int32_t count, std::int32_t kind, const GuiPoint& where) {
  if (focusView) return false;
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    GuiView* view = *it;
    if (view->isMouseEnabled() && view->viewSize().contains(where) && view->onDrop(items, count, kind, where)) {
      return true;
    }
  }
  return false;
}

bool GuiFrame::onWheel(GuiDrawingContext* context, const GuiPoint&, float distance) {
  GuiView* view = viewUnderCursor();
  if (!view) return false;
  GuiPoint where;
  cursorPosition(where);
  if (context) return view->onWheel(context, where, distance);
  bool answer = false;
  withWindowContext([&](GuiDrawingContext& temporary) { answer = view->onWheel(&temporary, where, distance); });
  return answer;
}

GuiEditorBase* GuiFrame::owningEditor() const { return editor; }

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

void GuiFrame::setBackground(GuiBitmap* bitmap) {
  if (bitmap) bitmap->retain();
  if (background) background->release();
  background = bitmap;
}

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
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  p = {cursor.x, cursor.y};
  RECT r;
  if (window && GetWindowRect(window, &r)) {
    p.x -= r.left;
    p.y -= r.top;
  }
  return true;
}

void GuiFrame::setCursorShape(std::uint32_t shape) {
  if (!cursorSaved) {
    savedCursor = GetCursor();
    cursorSaved = true;
  }
  static constexpr WORD kSystemCursors[] = {32514, 32644, 32645, 32646, 32643, 32642};
  if (shape == CursorDefault) {
    SetCursor(savedCursor);
  } else if (shape <= CursorSizeNorthWestSouthEast) {
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(kSystemCursors[shape - 1])));
  }
}

std::int32_t GuiFrame::readKnobMode() const { return GuiEditorBase::currentKnobMode(); }

void GuiFrame::beginParameterEdit(std::int32_t index) {
  if (editor && editor->hostEffect()) editor->hostEffect()->hostBeginEdit(index);
}

void GuiFrame::endParameterEdit(std::int32_t index) {
  if (editor && editor->hostEffect()) editor->hostEffect()->hostEndEdit(index);
}

void GuiFrame::pumpEditorIdle() {
  if (editor) editor->pumpIdle();
}

bool GuiFrame::createWindow(HWND parent) {
  if (!parent) return false;
  GuiWindowClass::registerWindowClass();
  window = CreateWindowExA(0, GuiWindowClass::className(), kWindowTitle, WS_CHILD | WS_VISIBLE, 0, 0,
                           size.width(), size.height(), parent, nullptr,
                           static_cast<HINSTANCE>(moduleInstance), nullptr);
  if (!window) {
    GuiWindowClass::unregisterWindowClass();
    return false;
  }
  windowClassInUse = true;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  setDropTargetActive(true);
  return true;
}

bool GuiFrame::setDropTargetActive(bool on) {
  if (!dropTargetRegistered && !on) return true;
  if (!window) return false;
  if (on) {
    auto* target = new (std::nothrow) GuiDropTarget(this);
    if (!target || RegisterDragDrop(window, target) != S_OK) {
      delete target;
      return false;
    }
  } else {
    RevokeDragDrop(window);
  }
  dropTargetRegistered = on;
  return true;
}

void GuiFrame::onWindowDestroyed() {
  open = false;
  parentWindow = nullptr;
  // The host destroyed its window, and ours with it. Let go of the handle now,
  // while it is still ours: later it may name somebody else's window.
  if (dropTargetRegistered) RevokeDragDrop(window);
  dropTargetRegistered = false;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  window = nullptr;
}
