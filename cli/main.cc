// kalvenor-cli: numbers the files of one folder from the command line, over
// the same engine as the desktop program.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tool.h"

namespace {

// The current folder as the user reached it: $PWD when it names this very
// folder (so a path through a symbolic link stays as typed), else the
// kernel's own path of it. Empty when neither is known.
std::string CurrentFolder() {
  struct stat here {}, named {};
  const char* pwd = std::getenv("PWD");
  if (pwd != nullptr && pwd[0] == '/' && ::stat(".", &here) == 0 && ::stat(pwd, &named) == 0 &&
      here.st_dev == named.st_dev && here.st_ino == named.st_ino)
    return pwd;
  std::string cwd;
  if (char* path = ::getcwd(nullptr, 0)) {
    cwd = path;
    std::free(path);
  }
  return cwd;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader of the output that goes away (`kalvenor-cli ... | head`) must
  // not kill a commit run halfway through its batch: writes then just fail.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kalvenor::RunTool(args, CurrentFolder(), std::cout, std::cerr);
}
