#include "tools/lumivane-host/PluginLocation.h"

#include <filesystem>
#include <system_error>

#include "tools/lumivane-host/ToolError.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kPluginFileName = "Lumivane.so";

fs::path programFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) throw ToolError("cannot tell where lumivane-host lies; pass the plug-in with --plugin PATH");
  return program.parent_path();
}
}  // namespace

std::string defaultPluginPath() {
  const fs::path folder = programFolder();
  std::error_code error;
  if (fs::is_regular_file(folder / kPluginFileName, error)) return (folder / kPluginFileName).string();
  // Installed: PREFIX/bin/lumivane-host next to PREFIX/lib/vst/Lumivane.so,
  // found from the program's own place so that a staged or unpacked copy works too.
  const fs::path installed = folder.parent_path() / "lib" / "vst" / kPluginFileName;
  if (fs::is_regular_file(installed, error)) return installed.string();
  // From a build folder, the repository's dist/ holds the plug-in that `make` built.
  for (fs::path above = folder; !above.empty(); above = above.parent_path()) {
    const fs::path candidate = above / "dist" / "linux64" / kPluginFileName;
    if (fs::is_regular_file(candidate, error)) return candidate.string();
    if (above == above.root_path()) break;
  }
  throw ToolError(
      "no Lumivane.so next to lumivane-host, in ../lib/vst or in dist/linux64; build it with make or pass --plugin "
      "PATH");
}
