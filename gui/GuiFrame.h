#pragma once
// The top view of the editor window: its child window, its views and their
// background, event routing, the focus view, the idle redraw, and the services
// that controls need while they track the mouse. Portable: the window itself
// is the back end's GuiFrameWindow.

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/GuiBitmapHandle.h"
#include "gui/GuiFrameWindow.h"
#include "gui/GuiPlatformTypes.h"
#include "gui/GuiScale.h"
#include "gui/GuiThreadSetup.h"
#include "gui/GuiView.h"

class GuiBitmap;
class GuiFrameOwner;

// Shapes of setCursorShape; 0 puts back the cursor the frame found.
enum GuiCursorShape : std::uint32_t {
  CursorDefault = 0,
  CursorWait = 1,
  CursorSizeWestEast = 2,
  CursorSizeNorthSouth = 3,
  CursorSizeAll = 4,
  CursorSizeNorthEastSouthWest = 5,
  CursorSizeNorthWestSouthEast = 6,
};

class GuiFrame final : public GuiView {
public:
  // Without a parent window the frame has no window of its own. The owner may be null.
  GuiFrame(const GuiRect& rect, GuiNativeWindow nativeParent, GuiFrameOwner* frameOwner);
  ~GuiFrame() override;

  void draw(GuiDrawingContext& context) override;
  void drawInRect(GuiDrawingContext& context, const GuiRect& updateRect) override;
  void onMouseDown(GuiDrawingContext& context, const GuiPoint& where) override;
  void redrawIfDirty(GuiDrawingContext& context) override;
  std::int32_t onKeyDown(const GuiKeyStroke& key) override;
  std::int32_t onKeyUp(const GuiKeyStroke& key) override;
  bool onDrop(char** items, std::int32_t count, GuiDropKind kind, const GuiPoint& where) override;
  bool onWheel(GuiDrawingContext* context, const GuiPoint& where, float distance) override;
  GuiFrameOwner* owningEditor() const override;

  // Takes over the caller's reference; false (and nothing added) when the list can't grow.
  virtual bool addView(GuiView* view);
  virtual bool removeView(GuiView* view, bool release = true);
  virtual bool removeAllViews(bool release = true);
  virtual bool isChild(const GuiView* view) const;
  virtual std::int32_t viewCount() const;
  virtual GuiView* viewAt(std::int32_t index) const;

  // Keeps a frame while an event it passes on may reach a host that closes
  // the editor and lets go of the frame.
  class Hold final {
  public:
    explicit Hold(GuiFrame& held) : frame(held) { frame.retain(); }
    ~Hold() { frame.release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

  private:
    GuiFrame& frame;
  };

  // The owner lets go of the frame: from here on it calls no owner, draws
  // nothing and passes no event on. It goes with its last reference, which a
  // press being handled or an idle pass holds until it has unwound.
  void close();
  // Redraws the dirty views, once the window has been drawn and while it
  // exists, then handles the window's pending events.
  void idle();
  // Draws the whole frame on its window at once.
  void drawNow();
  bool isAnyViewDirty() const;
  void setBackground(GuiBitmap* bitmap);
  GuiBitmap* backgroundBitmap() const { return background.get(); }
  void setFocusView(GuiView* view);
  GuiView* focusedView() const { return focusView; }
  GuiView* viewUnderCursor() const;
  bool cursorPosition(GuiPoint& p) const;
  void setCursorShape(std::uint32_t shape);

  std::int32_t readKnobMode() const;
  void beginParameterEdit(std::int32_t index);
  void endParameterEdit(std::int32_t index);
  void pumpEditorIdle();
  // Lets pending paints through while a control tracks the mouse.
  void dispatchPendingPaint();

  bool createWindow(GuiNativeWindow nativeParent);
  bool setDropTargetActive(bool on);

  GuiNativeWindow frameWindow() const { return window.handle(); }
  const GuiFrameWindow& nativeWindow() const { return window; }
  GuiNativeWindow hostWindow() const { return parentWindow; }
  bool isOpen() const { return open; }
  bool isFirstDrawPending() const { return firstDrawPending; }
  // The owner's scale: rect (the frame's coordinates) is in the toolkit's
  // pixels, the window rect's size at the scale. A press (onMouseDown) comes
  // in the window's pixels, as the window reports it, and so does an area to
  // repaint given to paintWindowArea; views get both in the toolkit's pixels.
  const GuiScale& scale() const { return pixelScale; }
  void paintWindowArea(GuiDrawingContext& context, const GuiRect& windowArea);
  // Inside a press: a control may be tracking the mouse.
  bool isHandlingPress() const { return pressDepth > 0; }
  bool isDropTargetRegistered() const { return window.isDropTargetRegistered(); }
  std::int32_t viewCapacity() const { return capacity; }
  // The window went (WM_DESTROY, DestroyNotify), also when the host's window goes first.
  void onWindowDestroyed();

private:
  using KeyHandler = std::int32_t (GuiView::*)(const GuiKeyStroke&);
  // The focus view first, then the views from the last added to the first.
  std::int32_t routeKey(KeyHandler handler, const GuiKeyStroke& key);
  // Runs work with a context on the frame's window, made and released around
  // it; without a window there is nothing to draw on.
  template <typename Work>
  void withWindowContext(Work&& work);

  GuiFrameOwner* owner;
  GuiNativeWindow parentWindow;
  GuiScale pixelScale;
  std::int32_t pressDepth = 0;
  GuiBitmapHandle background;
  std::int32_t capacity = 0;
  std::vector<GuiView*> views;
  GuiView* focusView = nullptr;
  bool firstDrawPending = true;
  bool open = true;
  GuiFrameWindow window{*this};
  // Declared after the window: set up before it is made, undone before it goes.
  GuiThreadSetup threadSetup;
};

// How an owner holds its frame: letting go closes the frame and drops the
// owner's reference, so that a press still being handled keeps it until it unwinds.
struct GuiFrameRelease {
  void operator()(GuiFrame* frame) const {
    frame->close();
    frame->release();
  }
};
using GuiFrameHandle = std::unique_ptr<GuiFrame, GuiFrameRelease>;
