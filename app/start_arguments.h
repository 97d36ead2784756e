// The desktop program's own command line, read from the bytes of argv:
//
//   kalvenor [FOLDER]
//   kalvenor -h | --help | --help-all | -v | --version
//
// Read before any window system is asked for, so that help and version
// need no display; and the folder is kept as the bytes the shell passed,
// so that a name that is not valid UTF-8 names that very folder. Options
// that Qt's parser would refuse are left for it to report.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct StartArguments {
  bool help = false;
  bool version = false;
  std::optional<std::string> folder;  // the first operand, as given
};

// Reads `args` (without the program's name): "--" ends the options; any
// other argument that begins with '-' (but "-" itself) is an option.
StartArguments ReadStartArguments(const std::vector<std::string>& args);

// `folder` made absolute against `workingDir` (when it is relative and
// `workingDir` is known), with "." and ".." components and repeated slashes
// taken out textually, as a shell user reads the path; bytes other than '/'
// and '.' are kept as they are.
std::string StartFolderPath(const std::string& folder, const std::string& workingDir);
