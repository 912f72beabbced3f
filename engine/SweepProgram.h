#pragma once
// One program: the eleven parameter descriptors and a name.

#include <array>
#include <memory>

#include "engine/ParameterDescriptor.h"
#include "engine/ParameterIndex.h"

class SweepProgram {
public:
  // Named "Default N" from the process-wide counter, which moves on by one.
  SweepProgram();

  ParameterDescriptor& parameter(VstInt32 index) { return *parameters[index]; }
  const ParameterDescriptor& parameter(VstInt32 index) const { return *parameters[index]; }
  const char* name() const { return programName; }
  // At most 23 characters are kept.
  void rename(const char* text);
  // Takes the other program's settings, through their normalised values, and its name.
  void copyFrom(const SweepProgram& source);

private:
  std::array<std::unique_ptr<ParameterDescriptor>, kParameterCount> parameters;
  char programName[kNameSize] = {};
};
