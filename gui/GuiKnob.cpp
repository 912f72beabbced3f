#include "gui/GuiKnob.h"

#include <cmath>

#include "gui/GuiBitmap.h"
#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrame.h"

namespace {
constexpr float kTwoPi = 6.2831855f;
constexpr double kTwoPiDouble = 6.283185307179586;
constexpr float kDefaultStartAngle = 3.9269907f;  // 225 degrees: the minimum at the lower left
constexpr float kDefaultRangeAngle = -4.712389f;  // 270 degrees clockwise
constexpr float kPixelsPerRange = 200.0f;
constexpr std::int32_t kLinearKnobMode = 2;
constexpr std::int32_t kLineHandleInset = 3;

std::int32_t insetForHandle(const GuiBitmap& bitmap) { return static_cast<std::int32_t>(bitmap.width() * 0.5 + 2.5); }

bool samePoint(const GuiPoint& a, const GuiPoint& b) { return a.x == b.x && a.y == b.y; }
}  // namespace

GuiKnob::GuiKnob(const GuiRect& initialSize, GuiControlListener* controlListener, std::int32_t controlTag,
                 GuiBitmap* backgroundBitmap, GuiBitmap* handleImage, const GuiPoint& backgroundOffset)
    : GuiControl(initialSize, controlListener, controlTag, backgroundBitmap),
      backgroundSource(backgroundOffset),
      handleBitmap(handleImage),
      radius(static_cast<float>(initialSize.right - initialSize.left) * 0.5f) {
  handleInset = handleImage ? insetForHandle(*handleImage) : kLineHandleInset;
  setStartAngle(kDefaultStartAngle);
  setRangeAngle(kDefaultRangeAngle);
}

void GuiKnob::updateAngleCoefficients() {
  valuePerRadian = (maxValue - minValue) / rangeAngle;
  valueAtZero = minValue - valuePerRadian * startAngle;
  halfGap = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
  setDirty(true);
}

void GuiKnob::setStartAngle(float radians) {
  startAngle = radians;
  updateAngleCoefficients();
}

float GuiKnob::getStartAngle() const { return startAngle; }

void GuiKnob::setRangeAngle(float radians) {
  rangeAngle = radians;
  updateAngleCoefficients();
}

float GuiKnob::getRangeAngle() const { return rangeAngle; }

void GuiKnob::pointForValue(GuiPoint& p) const {
  const double alpha = (getValue() - valueAtZero) / valuePerRadian;
  const double reach = radius - handleInset;
  p.x = static_cast<std::int32_t>(radius + std::cos(alpha) * reach + 0.5);
  p.y = static_cast<std::int32_t>(radius - std::sin(alpha) * reach + 0.5);
}

float GuiKnob::valueForPoint(const GuiPoint& p) const {
  float theta = static_cast<float>(std::atan2(radius - p.y, p.x - radius));
  if (theta < 0.0f) theta += kTwoPi;
  const float alpha = theta - startAngle;
  const auto normalised = [](float angle) -> double {
    if (angle < 0.0f) return angle + kTwoPi;
    if (angle > kTwoPiDouble) return angle - kTwoPiDouble;
    return angle;
  };
  if (rangeAngle < 0.0f) {
    float b = alpha - rangeAngle;
    const double e = normalised(b);
    const float middleOfGap = halfGap - rangeAngle;
    if (e > middleOfGap) return maxValue;
    if (e > -rangeAngle) return minValue;
    if (b > middleOfGap) {
      b -= kTwoPi;
    } else if (b < -halfGap) {
      b += kTwoPi;
    }
    return maxValue + valuePerRadian * b;
  }
  const double e = normalised(alpha);
  const float middleOfGap = rangeAngle + halfGap;
  if (e > middleOfGap) return minValue;
  if (e > rangeAngle) return maxValue;
  float a = alpha;
  if (a > middleOfGap) {
    a -= kTwoPi;
  } else if (a < -halfGap) {
    a += kTwoPi;
  }
  return minValue + valuePerRadian * a;
}

void GuiKnob::setHandleInset(std::int32_t pixels) { handleInset = pixels; }

void GuiKnob::setHandleShadowColour(const GuiColour& colour) {
  handleShadowColour = colour;
  setDirty(true);
}

void GuiKnob::setHandleColour(const GuiColour& colour) {
  handleColour = colour;
  setDirty(true);
}

void GuiKnob::setHandleBitmap(GuiBitmap* bitmap) {
  handleBitmap = GuiBitmapHandle(bitmap);
  if (handleBitmap) {
    handleInset = insetForHandle(*handleBitmap);
  }
}

void GuiKnob::setFineFactor(float factor) { fineFactor = factor; }
float GuiKnob::getFineFactor() const { return fineFactor; }

void GuiKnob::draw(GuiDrawingContext& context) {
  if (background) {
    if (isTransparent()) {
      background->drawTransparent(context, size, backgroundSource);
    } else {
      background->drawOpaque(context, size, backgroundSource);
    }
  }
  drawHandle(context);
  setDirty(false);
}

void GuiKnob::drawHandle(GuiDrawingContext& context) {
  GuiPoint p;
  pointForValue(p);
  if (handleBitmap) {
    const std::int32_t w = handleBitmap->width();
    const std::int32_t h = handleBitmap->height();
    const std::int32_t left = size.left + p.x - w / 2;
    const std::int32_t top = size.top + p.y - h / 2;
    handleBitmap->drawTransparent(context, {left, top, left + w, top + h}, {0, 0});
    return;
  }
  GuiPoint tip{size.left + p.x - 1, size.top + p.y};
  GuiPoint middle{size.left + size.width() / 2 - 1, size.top + size.height() / 2};
  context.setLineColour(handleShadowColour);
  context.moveTo(tip);
  context.lineTo(middle);
  tip = {tip.x + 1, tip.y - 1};
  middle = {middle.x + 1, middle.y - 1};
  context.setLineColour(handleColour);
  context.moveTo(tip);
  context.lineTo(middle);
}

std::int32_t GuiKnob::onKeyDown(const GuiKeyStroke& key) { return arrowKeyStep(key); }

bool GuiKnob::onWheel(GuiDrawingContext* context, const GuiPoint&, float distance) {
  return wheelStep(context, distance);
}

bool GuiKnob::linearModeFor(std::int32_t buttons) const {
  const bool alt = (buttons & ModifierAlt) != 0;
  const bool linearByDefault = frame && frame->readKnobMode() == kLinearKnobMode;
  return linearByDefault != alt;
}

void GuiKnob::onMouseDown(GuiDrawingContext& context, const GuiPoint& where) {
  if (!isMouseEnabled()) return;
  const std::int32_t buttons = context.readMouseButtons();
  if (!(buttons & MouseButtonLeft)) return;
  if (defaultClick(context, buttons)) return;
  if (linearModeFor(buttons)) {
    trackLinear(context, where, buttons);
  } else {
    trackCircular(context, where);
  }
}

template <typename Move>
void GuiKnob::trackDrag(GuiDrawingContext& context, GuiPoint where, Move move) {
  beginDrag();
  GuiPoint lastPosition{-1, -1};
  std::int32_t buttons;
  do {
    // The host may close the panel in its answer to any call of the loop.
    if (isFrameClosed()) break;
    buttons = context.readMouseButtons();
    if (!samePoint(where, lastPosition)) {
      lastPosition = where;
      move(where, buttons);
      notifyIfChanged(&context);
    }
    context.readMousePosition(where);
    trackingIdle();
  } while (buttons & MouseButtonLeft);
  endDrag();
}

void GuiKnob::trackCircular(GuiDrawingContext& context, GuiPoint where) {
  const float halfRange = (maxValue - minValue) * 0.5f;
  const GuiPoint corner{size.left, size.top};
  float lastValue = valueForPoint({where.x - corner.x, where.y - corner.y});
  trackDrag(context, where, [&](GuiPoint at, std::int32_t) {
    const float v = valueForPoint({at.x - corner.x, at.y - corner.y});
    changeValue(v);
    // A jump across the gap holds the bound it came from until the pointer returns.
    if (lastValue - v > halfRange) {
      changeValue(maxValue);
    } else if (v - lastValue > halfRange) {
      changeValue(minValue);
    } else {
      lastValue = v;
    }
  });
}

void GuiKnob::trackLinear(GuiDrawingContext& context, GuiPoint where, std::int32_t buttons) {
  const float range = maxValue - minValue;
  float base = getValue();
  std::int32_t savedButtons = buttons;
  const auto pixelsPerRange = [this](std::int32_t held) {
    return (held & ModifierShift) ? kPixelsPerRange * fineFactor : kPixelsPerRange;
  };
  float valuePerPixel = range / pixelsPerRange(buttons);
  const GuiPoint first = where;
  trackDrag(context, where, [&](GuiPoint at, std::int32_t held) {
    const float delta = static_cast<float>((at.x - first.x) - (at.y - first.y));
    if (held != savedButtons) {
      // Re-anchor so that pressing or releasing shift keeps the value where it is.
      const float newPerPixel = range / pixelsPerRange(held);
      base = base + (valuePerPixel - newPerPixel) * delta;
      valuePerPixel = newPerPixel;
      savedButtons = held;
    }
    changeValue(base + delta * valuePerPixel);
    clampValue();
  });
}
