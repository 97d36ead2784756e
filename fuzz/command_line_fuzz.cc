// The command line on any arguments (NUL-separated in the input): it never
// crashes and always names one action; an error says what is wrong, and the
// paths a run would use are absolute.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "command_line.h"
#include "fuzz_check.h"

// NOLINTNEXTLINE(readability-identifier-naming): the name libFuzzer calls
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte chooses the current folder: known, or unknown (empty).
  const std::string cwd = (data[0] & 1) != 0 ? "/home/user/photos" : "";
  std::vector<std::string> args;
  std::string arg;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(arg);
      arg.clear();
    } else {
      arg.push_back(static_cast<char>(data[i]));
    }
  }
  if (size > 1) args.push_back(arg);

  const kalvenor::CommandLine line = kalvenor::ParseCommandLine(args, cwd);
  switch (line.action) {
    case kalvenor::ToolAction::Error:
      FUZZ_CHECK(!line.error.empty());  // (the tool escapes its bytes when it prints it)
      break;
    case kalvenor::ToolAction::Rename:
      FUZZ_CHECK(!line.options.folder.empty() && line.options.folder.front() == '/');
      FUZZ_CHECK(line.options.logPath.empty() || line.options.logPath.front() == '/');
      break;
    case kalvenor::ToolAction::Undo:
      FUZZ_CHECK(!line.undoLogPath.empty() && line.undoLogPath.front() == '/');
      break;
    case kalvenor::ToolAction::History:
      FUZZ_CHECK(!line.historyLogPath.empty() && line.historyLogPath.front() == '/');
      break;
    case kalvenor::ToolAction::Help:
    case kalvenor::ToolAction::Version: break;
    default: FUZZ_CHECK(false);  // no other action exists
  }
  return 0;
}
