#pragma once
// What a host sees of a plug-in, as text: identity, pins, flags, answers to the
// capabilities hosts ask about, parameters and programs.

#include <ostream>
#include <string>

#include "tools/standin/StandInHost.h"

void writeInfoReport(StandInHost& host, const std::string& pluginPath, std::ostream& out);
