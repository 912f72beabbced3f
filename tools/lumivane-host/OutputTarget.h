#pragma once
// The file a render replaces, checked before anything is loaded or rendered.

#include <optional>
#include <string>

// The file to write for outputPath: outputPath itself, or the file it links to
// (the link stays and points to the new render, as an editor saves through a
// link). Throws ToolError, naming the reason, when the output is a folder, a
// device or another file that is no regular file, a link to nothing, a
// write-protected file, or the input file itself under any name.
std::string outputTarget(const std::string& outputPath, const std::optional<std::string>& inputPath);
