#pragma once
// Runs lumivane-host as a user does and collects what it printed.

#include <string>
#include <vector>

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

// From workingFolder when one is given, else from the test's own.
ToolRun runTool(const std::vector<std::string>& arguments, const std::string& workingFolder = "");

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchFolder {
public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string path(const std::string& name) const { return folder + "/" + name; }
  std::vector<std::string> entries() const;  // names, sorted

private:
  std::string folder;
};
