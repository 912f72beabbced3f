#include "gui/GuiDesktopScale.h"

#include <X11/Xresource.h>

#include <cstdlib>

#include "gui/x11/X11Connection.h"

namespace {

constexpr double kStandardDpi = 96.0;

}  // namespace

// Desktops set Xft.dpi in the display's resources for HiDPI screens.
float guiDesktopScale(GuiNativeWindow) {
  // A connection of our own, whose errors never reach the host's handler;
  // the resources came with its setup.
  const std::unique_ptr<X11Connection> connection = X11Connection::open();
  if (!connection) return 0.0f;
  float scale = 0.0f;
  const char* resources = XResourceManagerString(connection->display());
  if (resources) {
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
      const double dpi = std::strtod(value.addr, nullptr);
      if (dpi > 0.0) scale = static_cast<float>(dpi / kStandardDpi);
    }
    if (database) XrmDestroyDatabase(database);
  }
  return scale;
}
