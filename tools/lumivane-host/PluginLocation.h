#pragma once
// Where lumivane-host finds its plug-in when no --plugin is given.

#include <string>

// Lumivane.so next to the running program, else lib/vst/Lumivane.so beside its
// folder (the installed layout), else dist/linux64/Lumivane.so in the nearest
// folder above it; throws ToolError when none exists.
std::string defaultPluginPath();
