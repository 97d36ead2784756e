// kalvenor-cli: numbers the files of one folder from the command line, over
// the same engine as the desktop program.
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tool.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::string cwd;
  if (char* here = ::getcwd(nullptr, 0)) {
    cwd = here;
    ::free(here);
  }
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kalvenor::RunTool(args, cwd, std::cout, std::cerr);
}
