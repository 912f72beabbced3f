#pragma once
// Starts another program of the machine (the display's input tool) and leaves
// it running on its own; the caller learns of its end by what it leaves behind.

#include <string>

// The words of the command line are separated by single spaces and hold none.
// False when the program could not be started.
bool startProgram(const std::string& commandLine);
