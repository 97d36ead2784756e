#include "tool.h"

#include <algorithm>
#include <optional>

#include "command_line.h"
#include "console_output.h"
#include "exit_status.h"
#include "folder_path.h"
#include "last_batch.h"
#include "log_history.h"
#include "rename_run.h"
#include "undo_last.h"

namespace kalvenor {

namespace {

constexpr char kToolPrefix[] = "kalvenor-cli: ";

// A path in a message of the tool: kept on one line.
std::string Quoted(const std::string& path) { return "'" + DisplayText(path) + "'"; }

// The exit status for how a run or an undo ended.
int ExitStatusOf(RunEnd end) {
  switch (end) {
    case RunEnd::Done: return kExitDone;
    case RunEnd::FileCountLimit:
    case RunEnd::IndexLimit: return kExitStopped;
    case RunEnd::LogNotOpened:
    case RunEnd::FolderUnreadable: return kExitBadArguments;
    case RunEnd::RenameFailed:
    case RunEnd::LogWriteFailed:
    case RunEnd::Stopped: return kExitFailed;
  }
  return kExitFailed;
}

int RunRename(const CommandLine& line, FileSystem& fs, std::ostream& out, std::ostream& err) {
  RenameOptions options = line.options;
  if (!IsValidFolderPath(fs, options.folder)) {
    err << kToolPrefix << "cannot rename the files of " << Quoted(options.folder)
        << ": not a folder, or a folder inside a trash can\n";
    return kExitBadArguments;
  }
  // The tool keeps its record of a batch only in the log, so a commit that
  // was asked to log must not rename anything it could not log: its
  // renames could not be undone later.
  options.logRequired = true;
  // Nor may a folder it cannot list pass for an empty one.
  options.folderMustBeReadable = true;

  ConsoleResults results(out);
  ConsoleMessages messages(out, err);
  RenameContext ctx{results, messages, fs};
  LastBatch batch;  // the log is the tool's record; this one ends with the run
  const RunOutcome outcome = RenameFiles(line.commit, options, ctx, batch);
  out.flush();

  // The tool's own messages end with the system's text, as other tools' do.
  if (outcome.end == RunEnd::LogNotOpened) {
    err << kToolPrefix << "cannot open log file " << Quoted(options.logPath) << ": "
        << outcome.failure.error.message() << "; nothing was renamed\n";
  } else if (outcome.end == RunEnd::FolderUnreadable) {
    err << kToolPrefix << "cannot read the folder " << Quoted(options.folder) << ": "
        << outcome.failure.error.message() << '\n';
  }
  return ExitStatusOf(outcome.end);
}

int RunUndo(const CommandLine& line, FileSystem& fs, std::ostream& out, std::ostream& err) {
  const std::string& logPath = line.undoLogPath;
  UndoFromLog undo = ReadUndoFromLog(fs, logPath);
  switch (undo.refusal) {
    case UndoFromLog::Refusal::None: break;
    case UndoFromLog::Refusal::Untrusted:
      err << kToolPrefix << "refusing log file " << Quoted(logPath) << ": " << undo.reason
          << "; nothing was renamed\n";
      return kExitBadArguments;
    case UndoFromLog::Refusal::Unreadable:
      err << kToolPrefix << "cannot read log file " << Quoted(logPath) << ": " << undo.reason
          << '\n';
      return kExitBadArguments;
    case UndoFromLog::Refusal::NotUnderstood:
      err << kToolPrefix << "cannot understand log file " << Quoted(logPath) << ": " << undo.reason
          << "; nothing was renamed\n";
      return kExitBadArguments;
    case UndoFromLog::Refusal::NothingToUndo:
      RemoveLeftovers(fs, undo.batch.Leftovers());
      err << kToolPrefix << "Nothing to undo.\n";
      return kExitStopped;
  }
  LastBatch& batch = undo.batch;

  ConsoleResults results(out);
  ConsoleMessages messages(out, err);
  RenameContext ctx{results, messages, fs};
  const RunOutcome outcome =
      UndoLastBatch(logPath, /*logRequired=*/true, ctx, batch, /*fromLog=*/true);
  out.flush();

  if (outcome.end == RunEnd::LogNotOpened) {
    err << kToolPrefix << "cannot open log file " << Quoted(logPath)
        << " to record the undo: " << outcome.failure.error.message() << "; nothing was renamed\n";
  }
  return ExitStatusOf(outcome.end);
}

// Lists the log's batches, newest first, one line each: time, number of
// files logged, state, folder.
int RunHistory(const CommandLine& line, FileSystem& fs, std::ostream& out, std::ostream& err) {
  const std::string& logPath = line.historyLogPath;
  std::string readError;
  const std::optional<std::string> text = fs.ReadFile(logPath, &readError);
  if (!text) {
    err << kToolPrefix << "cannot read log file " << Quoted(logPath) << ": " << readError << '\n';
    return kExitBadArguments;
  }
  const LogHistory history = ReadLogHistory(*text);
  if (history.error) {
    err << kToolPrefix << "cannot understand log file " << Quoted(logPath) << ": " << *history.error
        << '\n';
    return kExitBadArguments;
  }
  const DiskTests disk = DiskTestsOn(fs);
  for (auto batch = history.batches.rbegin(); batch != history.batches.rend(); ++batch) {
    const std::size_t files = batch->pairs.size();
    out << batch->time << "  " << files << (files == 1 ? " file" : " files");
    if (files == 0) {
      out << "  renamed nothing\n";
      continue;
    }
    out << "  " << BatchStateText(StateOf(*batch, disk.exists, disk.relate)) << "  "
        << DisplayText(BatchFolder(*batch)) << '\n';
  }
  return kExitDone;
}

}  // namespace

std::string CurrentFolder(FileSystem& fs) {
  PathStat here, named;
  const std::optional<std::string> pwd = fs.GetEnv("PWD");
  if (pwd && pwd->starts_with('/') && !fs.Stat(".", true, &here) && !fs.Stat(*pwd, true, &named) &&
      here.id == named.id) {
    return *pwd;
  }
  return fs.WorkingDirectory().value_or(std::string());
}

int RunTool(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out,
            std::ostream& err) {
  const CommandLine line = ParseCommandLine(args, CurrentFolder(fs));
  int status = kExitBadArguments;
  // Whether the run may have changed the disk before its output failed.
  bool changes = false;
  switch (line.action) {
    case ToolAction::Help:
      out << HelpText();
      status = kExitDone;
      break;
    case ToolAction::Version:
      out << VersionText();
      status = kExitDone;
      break;
    case ToolAction::Rename:
      status = RunRename(line, fs, out, err);
      changes = line.commit;
      break;
    case ToolAction::Undo:
      status = RunUndo(line, fs, out, err);
      changes = true;
      break;
    case ToolAction::History: status = RunHistory(line, fs, out, err); break;
    case ToolAction::Error:
      err << kToolPrefix << DisplayText(line.error) << '\n'
          << UsageText() << "Try 'kalvenor-cli --help' for more information.\n";
      return kExitBadArguments;
  }
  // Output that did not arrive (a full disk, a closed pipe) is a failure
  // like any other: the user did not get to see what was done.
  out.flush();
  if (!out) {
    err << kToolPrefix << "write error: the output could not be written\n";
    status = std::max(status, changes ? kExitFailed : kExitBadArguments);
  }
  return status;
}

}  // namespace kalvenor
