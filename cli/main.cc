// kalvenor-cli: numbers the files of one folder from the command line, over
// the same engine as the desktop program.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "posix_file_system.h"
#include "tool.h"

int main(int argc, char** argv) {
  // A reader of the output that goes away (`kalvenor-cli ... | head`) must
  // not kill a commit run halfway through its batch: writes then just fail.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  kalvenor::PosixFileSystem fs;
  return kalvenor::RunTool(args, fs, std::cout, std::cerr);
}
