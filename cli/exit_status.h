// The exit statuses of kalvenor-cli, fixed so that scripts can rely on them.
#pragma once

namespace kalvenor {

inline constexpr int kExitDone = 0;     // the run ended normally
inline constexpr int kExitStopped = 1;  // a limit stopped the run, or there was nothing to undo
inline constexpr int kExitBadArguments = 2;  // wrong arguments, a refused FOLDER, an unusable log
inline constexpr int kExitFailed = 3;        // a rename (or writing the log) failed

}  // namespace kalvenor
