// One whole run of kalvenor-cli, from the arguments to the exit status:
// preview or carry out the numbering of a folder, or rename back the last
// batch of a log. main() only supplies the process's surroundings, so the
// run can be tested in the same process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kalvenor {

// Runs the tool on `args` (without the program name) with `cwd` as the
// current folder (empty when unknown). Results lines go to `out`, messages
// and argument errors to `err`. Gives the exit status (exit_status.h).
int RunTool(const std::vector<std::string>& args, const std::string& cwd,
            std::ostream& out, std::ostream& err);

}  // namespace kalvenor
