// What a run (a preview, a commit or an undo) tells its caller when it
// returns: what ended it and, for a failure, which file and why. The
// caller reacts to this value (buttons, exit status); the user has already
// been told in the Results list and by messages.
#pragma once

#include <string>

#include "failure.h"

namespace kalvenor {

enum class RunEnd {
  Done,              // the plan was shown or carried out to its end
  FileCountLimit,    // the folder holds more files than a run plans; nothing planned
  IndexLimit,        // files were left without a free index
  RenameFailed,      // a rename failed (a commit stops there; an undo goes on)
  LogNotOpened,      // a required log could not be opened; nothing was renamed
  LogWriteFailed,    // a line could not be written to the log
  FolderUnreadable,  // the folder could not be listed (only when the options ask); nothing logged
  Stopped,           // the caller asked the run to stop; it did so between two files
};

struct RunOutcome {
  RunEnd end = RunEnd::Done;
  std::string failedName;  // RenameFailed: the first file whose rename failed
  // RenameFailed, LogNotOpened, LogWriteFailed, FolderUnreadable: what
  // failed (that rename, the log, the folder) and what the system said.
  Failure failure;
  std::string logPath;  // the absolute path of the log as opened; empty when none was
};

}  // namespace kalvenor
