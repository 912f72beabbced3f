#include <string>
#include <vector>

#include "tools/lumivane-host/LumivaneHost.h"

int main(int argc, char** argv) { return runLumivaneHost(std::vector<std::string>(argv + 1, argv + argc)); }
