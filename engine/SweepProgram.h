#pragma once
// One program: the eleven parameter descriptors and a name.

#include <array>
#include <memory>

#include "engine/ParameterDescriptor.h"
#include "engine/ParameterIndex.h"
#include "engine/ShortText.h"

class SweepProgram {
public:
  // Named "Default N" from the process-wide counter, which moves on by one.
  SweepProgram();

  ParameterDescriptor& parameter(std::int32_t index) { return *parameters[index]; }
  const ParameterDescriptor& parameter(std::int32_t index) const { return *parameters[index]; }
  const char* name() const { return programName.text(); }
  // At most 23 characters are kept.
  void rename(const char* text);
  // Takes the other program's settings, through their normalised values, and its name.
  void copyFrom(const SweepProgram& source);

private:
  std::array<std::unique_ptr<ParameterDescriptor>, kParameterCount> parameters;
  ShortText programName;
};
