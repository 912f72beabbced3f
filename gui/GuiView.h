#pragma once
// The base of everything that occupies a rectangle of the editor window.
// Reference-counted; event operations answer -1 or false when they leave an
// event unhandled.

#include <atomic>
#include <cstdint>

#include "gui/GuiKeyStroke.h"
#include "gui/GuiPoint.h"
#include "gui/GuiRect.h"

class GuiDrawingContext;
class GuiFrame;
class GuiFrameOwner;

// What onDrop receives: paths (files) or one pointer to the text.
enum class GuiDropKind : std::int32_t {
  DropKindFiles = 0,
  DropKindText = 1,
};

class GuiView {
public:
  explicit GuiView(const GuiRect& initialSize);
  virtual ~GuiView() = default;

  GuiView(const GuiView&) = delete;
  GuiView& operator=(const GuiView&) = delete;

  virtual void draw(GuiDrawingContext& context);
  virtual void drawInRect(GuiDrawingContext& context, const GuiRect& updateRect);
  // True when r and the size touch or overlap, edges included.
  virtual bool overlaps(const GuiRect& r) const;
  virtual void onMouseDown(GuiDrawingContext& context, const GuiPoint& where);
  virtual void redrawIfDirty(GuiDrawingContext& context);
  virtual std::int32_t onKeyDown(const GuiKeyStroke& key);
  virtual std::int32_t onKeyUp(const GuiKeyStroke& key);
  virtual bool onDrop(char** items, std::int32_t count, GuiDropKind kind, const GuiPoint& where);
  virtual bool onWheel(GuiDrawingContext* context, const GuiPoint& where, float distance);
  virtual void loseFocus(GuiDrawingContext* context);
  virtual bool isDirty() const;
  virtual void setDirty(bool dirty);
  virtual void setMouseEnabled(bool enabled);
  virtual bool isMouseEnabled() const;
  virtual void setMouseArea(const GuiRect& area);
  virtual GuiRect& mouseArea(GuiRect& area) const;
  virtual bool hitTest(const GuiPoint& where) const;
  virtual void setTransparent(bool on);
  virtual bool isTransparent() const;
  virtual void setViewSize(const GuiRect& newSize);
  virtual void setFrame(GuiFrame* newFrame);
  virtual void setParentView(GuiView* view);
  virtual GuiFrameOwner* owningEditor() const;
  virtual bool onRemoved(GuiFrame* from);
  virtual bool onAttached(GuiFrame* to);
  // Destroys the view when the count reaches 0; does nothing at 0 or below.
  virtual void release();
  virtual void retain();
  virtual std::int32_t referenceCount() const;

  const GuiRect& viewSize() const { return size; }
  GuiFrame* attachedFrame() const { return frame; }
  GuiView* parentView() const { return parent; }

protected:
  std::int32_t references = 1;
  GuiRect size;
  GuiRect mouseRect;
  GuiFrame* frame = nullptr;
  GuiView* parent = nullptr;
  // Atomic: the window thread draws while other code may mark the view.
  std::atomic<bool> dirty{false};
  bool mouseEnabled = true;
  bool transparent = false;

  friend class GuiFrame;
};
