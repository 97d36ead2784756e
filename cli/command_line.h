// The command line of kalvenor-cli: what a run was asked to do, read from
// the arguments alone (nothing on disk is looked at here). The interface is
// fixed so that it can be scripted; see HelpText() for the whole of it.
#pragma once

#include <string>
#include <vector>

#include "rename_options.h"

namespace kalvenor {

enum class ToolAction {
  Rename,   // preview or carry out the numbering of one folder
  Undo,     // rename back the latest batch of a log not yet wholly undone
  History,  // list the batches of a log
  Help,     // print the help text
  Version,  // print the version
  Error,    // the arguments are wrong; `error` says how
};

struct CommandLine {
  ToolAction action = ToolAction::Error;
  std::string error;  // Error only: what is wrong, one line, no usage

  // Rename: every choice of the job. `options.folder` and `options.logPath`
  // are already absolute; `options.logPath` is empty without --log.
  RenameOptions options;
  bool commit = false;

  // Undo: the absolute path of the log to take the last batch from.
  std::string undoLogPath;

  // History: the absolute path of the log to list.
  std::string historyLogPath;
};

// Reads the arguments (without the program name). Relative paths are made
// absolute against `cwd` without resolving symbolic links; an empty `cwd`
// (the current folder is unknown) makes a relative path an error.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& cwd);

// The one-line synopsis shown with every argument error.
std::string UsageText();
// The whole help: the synopsis and one line per option.
std::string HelpText();
// The version line.
std::string VersionText();

}  // namespace kalvenor
