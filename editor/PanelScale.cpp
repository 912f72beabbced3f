#include "editor/PanelScale.h"

#include <atomic>
#include <cstdlib>

#include "gui/GuiDesktopScale.h"

namespace {

// The user's factor, when LUMIVANE_SCALE holds a positive number.
bool environmentFactor(float& factor) {
  const char* text = std::getenv("LUMIVANE_SCALE");
  if (!text || !*text) return false;
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || !(value > 0.0)) return false;
  factor = static_cast<float>(value);
  return true;
}

// The desktop's scale as last read; negative before the first reading.
std::atomic<float> lastDesktopScale{-1.0f};

float desktopScale(GuiNativeWindow parent) {
  float scale = lastDesktopScale.load(std::memory_order_relaxed);
  if (parent || scale < 0.0f) {
    scale = guiDesktopScale(parent);
    lastDesktopScale.store(scale, std::memory_order_relaxed);
  }
  return scale;
}

}  // namespace

GuiScale choosePanelScale(const PanelScaleRequest& request, GuiNativeWindow parent) {
  if (request.fromHost) return GuiScale::nearest(request.hostFactor);
  float factor = 0.0f;
  if (environmentFactor(factor)) return GuiScale::nearest(factor);
  return GuiScale::nearest(desktopScale(parent));
}
