#pragma once
// The commands of lumivane-host, run from parsed arguments.

#include <string>
#include <vector>

// Runs the command line; answers the exit status. Every failure ends as one
// line on stderr and a status of 1 (2 for a command line it cannot accept).
int runLumivaneHost(const std::vector<std::string>& arguments);
