#include "editor/PanelScale.h"

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

}  // namespace

GuiScale choosePanelScale(const PanelScaleRequest& request, GuiNativeWindow parent) {
  if (request.fromHost) return GuiScale::nearest(request.hostFactor);
  float factor = 0.0f;
  if (environmentFactor(factor)) return GuiScale::nearest(factor);
  return GuiScale::nearest(guiDesktopScale(parent));
}
