// One whole run of kalvenor-cli, from the arguments to the exit status:
// preview or carry out the numbering of a folder, or rename back the latest
// batch of a log that is not yet wholly undone. main() only supplies the
// process's surroundings, so the run can be tested in the same process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "file_system.h"

namespace kalvenor {

// Runs the tool on `args` (without the program name) over the file system
// `fs`. Results lines go to `out`, messages and argument errors to `err`.
// Gives the exit status (exit_status.h).
int RunTool(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out,
            std::ostream& err);

// The current folder as the user reached it: $PWD when it names this very
// folder (so a path through a symbolic link stays as typed), else the
// kernel's own path of it. Empty when neither is known.
std::string CurrentFolder(FileSystem& fs);

}  // namespace kalvenor
