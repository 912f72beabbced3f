#pragma once
// A failure the tool reports to the user as one line and a non-zero exit.

#include <stdexcept>

class ToolError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
