#pragma once
// One plug-in instance opened by the tool: the library, the stand-in host and
// the effect record, closed again when the object goes.

#include <string>

#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

class HostedPlugin {
public:
  // Loads the library at path and opens an instance (effOpen sent); throws
  // ToolError with a one-line reason when the library or its entry refuses.
  explicit HostedPlugin(const std::string& path);

  HostedPlugin(const HostedPlugin&) = delete;
  HostedPlugin& operator=(const HostedPlugin&) = delete;

  StandInHost& host() { return standIn; }
  AEffect& effect() { return *standIn.effect(); }
  const std::string& path() const { return libraryPath; }

private:
  static PluginModule load(const std::string& path);

  std::string libraryPath;
  PluginModule module;
  StandInHost standIn;  // declared after the module: closes the instance before the library goes
};
