#include "tests/reliability/ProgramStart.h"

#include <spawn.h>
#include <sys/wait.h>

#include <sstream>
#include <vector>

extern char** environ;

bool startProgram(const std::string& commandLine) {
  // Programs started earlier and finished since are reaped here, so that a
  // long session leaves no trail of them.
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  std::vector<std::string> words;
  std::istringstream line(commandLine);
  for (std::string word; line >> word;) words.push_back(word);
  if (words.empty()) return false;
  std::vector<char*> arguments;
  for (std::string& word : words) arguments.push_back(word.data());
  arguments.push_back(nullptr);
  pid_t process = 0;
  return posix_spawn(&process, arguments[0], nullptr, nullptr, arguments.data(), environ) == 0;
}
