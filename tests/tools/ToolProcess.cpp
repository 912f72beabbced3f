#include "ToolProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {
std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string contents(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}
}  // namespace

ToolRun runTool(const std::vector<std::string>& arguments, const std::string& workingFolder) {
  ScratchFolder capture;
  std::string command = workingFolder.empty() ? "" : "cd " + shellQuoted(workingFolder) + " && ";
  command += shellQuoted(LUMIVANE_HOST_PATH);
  for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
  command += " >" + shellQuoted(capture.path("out")) + " 2>" + shellQuoted(capture.path("err")) + " </dev/null";
  const int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status)) throw std::runtime_error("lumivane-host did not exit normally: " + command);
  return ToolRun{WEXITSTATUS(status), contents(capture.path("out")), contents(capture.path("err"))};
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "lumivane-host-test.XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder");
  folder = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

std::vector<std::string> ScratchFolder::entries() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
