#pragma once
// A plug-in library loaded by path, as a host loads it.

#include <stdexcept>
#include <string>

#include "host/VstAbi.h"

class PluginLoadError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class PluginModule {
public:
  // Loads the library and finds its entry (VSTPluginMain, else main); throws
  // PluginLoadError with a one-line reason when either fails.
  explicit PluginModule(const std::string& path);
  ~PluginModule();

  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  PluginEntryProc entry() const { return entryProc; }

private:
  void* handle = nullptr;
  PluginEntryProc entryProc = nullptr;
};
