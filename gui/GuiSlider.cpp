#include "gui/GuiSlider.h"

#include "gui/GuiBitmap.h"
#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrame.h"
#include "gui/GuiOffscreenContext.h"

GuiSlider::GuiSlider(const GuiRect& initialSize, GuiControlListener* controlListener, std::int32_t controlTag,
                     std::int32_t trackStart, std::int32_t trackEnd, GuiBitmap* handleImage,
                     GuiBitmap* backgroundBitmap, const GuiPoint& backgroundOffset, std::int32_t style)
    : GuiControl(initialSize, controlListener, controlTag, backgroundBitmap),
      backgroundSource(backgroundOffset),
      handleBitmap(handleImage),
      travel(trackEnd - trackStart),
      sliderStyle(style),
      minPos(trackStart - ((style & SliderHorizontal) ? initialSize.left : initialSize.top)),
      viewWidth(initialSize.width()),
      viewHeight(initialSize.height()) {
  if (handleImage) {
    handleWidth = handleImage->width();
    handleHeight = handleImage->height();
  }
  setHandleOrigin({0, 0});
}

GuiSlider::~GuiSlider() = default;

void GuiSlider::setHandleOrigin(const GuiPoint& origin) {
  handleOrigin = origin;
  minHandlePos = minPos + (isHorizontal() ? origin.x : origin.y);
  maxHandlePos = minHandlePos + travel + handleLength();
}

bool GuiSlider::onAttached(GuiFrame* to) {
  offscreen = std::make_unique<GuiOffscreenContext>(to, viewWidth, viewHeight, ColourBlack);
  return true;
}

bool GuiSlider::onRemoved(GuiFrame*) {
  offscreen.reset();
  return true;
}

void GuiSlider::setTransparentHandle(bool on) { transparentHandle = on; }
void GuiSlider::setFreeClick(bool on) { freeClick = on; }
bool GuiSlider::getFreeClick() const { return freeClick; }

void GuiSlider::setHandleBitmap(GuiBitmap* bitmap) {
  handleBitmap = GuiBitmapHandle(bitmap);
  if (handleBitmap) {
    handleWidth = handleBitmap->width();
    handleHeight = handleBitmap->height();
  }
}

GuiBitmap* GuiSlider::getHandleBitmap() const { return handleBitmap.get(); }
void GuiSlider::setFineFactor(float factor) { fineFactor = factor; }
float GuiSlider::getFineFactor() const { return fineFactor; }

std::int32_t GuiSlider::handleOffset() const {
  const bool originAtStart = (sliderStyle & (SliderOriginLeft | SliderOriginTop)) != 0;
  const float fraction = originAtStart ? getValue() : 1.0f - getValue();
  return static_cast<std::int32_t>(travel * fraction);
}

void GuiSlider::draw(GuiDrawingContext& context) {
  if (!offscreen) return;
  const GuiRect whole{0, 0, viewWidth, viewHeight};
  if (background) {
    if (isTransparent()) {
      background->drawTransparent(*offscreen, whole, backgroundSource);
    } else {
      background->drawOpaque(*offscreen, whole, backgroundSource);
    }
  }
  const std::int32_t pos = handleOffset();
  GuiRect handle;
  if (isHorizontal()) {
    handle.top = handleOrigin.y;
    handle.bottom = handle.top + handleHeight;
    handle.left = pos + handleOrigin.x;
    if (handle.left < minHandlePos) handle.left = minHandlePos;
    handle.right = handle.left + handleWidth;
    if (handle.right > maxHandlePos) handle.right = maxHandlePos;
  } else {
    handle.left = handleOrigin.x;
    handle.right = handle.left + handleWidth;
    handle.top = pos + handleOrigin.y;
    if (handle.top < minHandlePos) handle.top = minHandlePos;
    handle.bottom = handle.top + handleHeight;
    if (handle.bottom > maxHandlePos) handle.bottom = maxHandlePos;
  }
  if (handleBitmap) {
    if (transparentHandle) {
      handleBitmap->drawTransparent(*offscreen, handle, {0, 0});
    } else {
      handleBitmap->drawOpaque(*offscreen, handle, {0, 0});
    }
  }
  offscreen->blitTo(context, size, {0, 0});
  setDirty(false);
}

bool GuiSlider::trackBase(const GuiPoint& where, std::int32_t& base) const {
  base = isHorizontal() ? size.left + handleOrigin.x : size.top + handleOrigin.y;
  if (freeClick) {
    // The handle's centre follows the cursor.
    base += handleLength() / 2 - 1;
    return true;
  }
  const std::int32_t pos = handleOffset();
  const std::int32_t hx = size.left + handleOrigin.x + (isHorizontal() ? pos : 0);
  const std::int32_t hy = size.top + handleOrigin.y + (isHorizontal() ? 0 : pos);
  const bool hit = hx <= where.x && where.x <= hx + handleWidth && hy <= where.y && where.y <= hy + handleHeight;
  if (!hit) return false;
  // The handle keeps the point where it was gripped.
  base += isHorizontal() ? where.x - hx : where.y - hy;
  return true;
}

void GuiSlider::onMouseDown(GuiDrawingContext& context, const GuiPoint& where) {
  if (!isMouseEnabled()) return;
  const std::int32_t buttons = context.readMouseButtons();
  if (defaultClick(context, buttons)) return;
  if (!(buttons & MouseButtonLeft)) return;
  std::int32_t base;
  if (!trackBase(where, base)) return;
  track(context, where, buttons, base);
}

void GuiSlider::track(GuiDrawingContext& context, GuiPoint where, std::int32_t buttons, std::int32_t base) {
  std::int32_t savedButtons = buttons;
  float anchor = getValue();
  const bool mirrored = (sliderStyle & (SliderOriginRight | SliderOriginBottom)) != 0;
  beginDrag();
  for (;;) {
    // The host may close the panel in its answer to any call of the loop.
    if (isFrameClosed()) break;
    buttons = context.readMouseButtons();
    if (!(buttons & MouseButtonLeft)) break;
    const bool shift = (buttons & ModifierShift) != 0;
    // While shift stays held the anchor stays, so the fine movement starts where the value was.
    if (buttons != savedButtons && shift) {
      savedButtons = buttons;
      anchor = getValue();
    } else if (!shift) {
      anchor = getValue();
    }
    const std::int32_t along = isHorizontal() ? where.x : where.y;
    float next = static_cast<float>(along - base) / static_cast<float>(travel);
    if (mirrored) next = 1.0f - next;
    if (shift) next = anchor + (next - anchor) / fineFactor;
    changeValue(next);
    clampValue();
    notifyIfChanged(&context);
    context.readMousePosition(where);
    trackingIdle();
  }
  endDrag();
}

std::int32_t GuiSlider::onKeyDown(const GuiKeyStroke& key) { return arrowKeyStep(key); }

bool GuiSlider::onWheel(GuiDrawingContext* context, const GuiPoint&, float distance) {
  return wheelStep(context, distance);
}
