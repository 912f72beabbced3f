#include "tools/lumivane-host/OutputTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "tools/lumivane-host/ToolError.h"

namespace fs = std::filesystem;

namespace {
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

bool sameFile(const struct stat& one, const struct stat& other) {
  return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}
}  // namespace

std::string outputTarget(const std::string& outputPath, const std::optional<std::string>& inputPath) {
  struct stat link {};
  if (lstat(outputPath.c_str(), &link) != 0) return outputPath;  // a new file
  std::string target = outputPath;
  if (S_ISLNK(link.st_mode)) {
    std::error_code error;
    const fs::path resolved = fs::canonical(outputPath, error);
    if (error) throw ToolError("output " + outputPath + " is a link to nothing (" + error.message() + ")");
    target = resolved.string();
  }
  struct stat existing {};
  if (stat(target.c_str(), &existing) != 0) return target;
  if (S_ISDIR(existing.st_mode)) throw ToolError("output " + outputPath + " is a folder");
  if (!S_ISREG(existing.st_mode))
    throw ToolError("output " + outputPath + " is no regular file; lumivane-host writes only into files");
  struct stat input {};
  if (inputPath && stat(inputPath->c_str(), &input) == 0 && sameFile(input, existing))
    throw ToolError("output " + outputPath + " is the input file " + *inputPath + "; name another output");
  // Root may write anything, so the permission bits decide as well.
  if ((existing.st_mode & kAnyWriteBit) == 0 || access(target.c_str(), W_OK) != 0)
    throw ToolError("output " + outputPath + " is write-protected; lumivane-host does not replace it");
  return target;
}
