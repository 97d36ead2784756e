#include "tool.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "command_line.h"
#include "console_output.h"
#include "exit_status.h"
#include "file_system.h"
#include "folder_path.h"
#include "last_batch.h"
#include "log_format.h"
#include "log_reader.h"
#include "rename_run.h"
#include "required_log.h"
#include "tool_choices.h"
#include "undo_last.h"

namespace kalvenor {

namespace {

constexpr char kToolPrefix[] = "kalvenor-cli: ";

// A path in a message of the tool: kept on one line.
std::string Quoted(const std::string& path) { return "'" + EscapeLogPath(path) + "'"; }

// The tool keeps its record of a batch only in the log, so a run that was
// asked to log must not start when the log cannot be written: its renames
// could not be undone later. The engine opens the log again for the run.
bool LogCanBeOpened(FileSystem& fs, const std::string& path) {
  std::string resolved;
  FileId id;
  const int log = fs.OpenLog(path, &resolved, &id);
  if (log < 0) return false;
  fs.CloseLog(log);
  return true;
}

// The whole content of the file at `path`, or nullopt with `*error` set.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error) {
  // O_NONBLOCK: a FIFO must not make the tool wait for a writer; it is
  // refused below with everything else that is not a regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    *error = std::strerror(errno);
    return std::nullopt;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    *error = "not a regular file";
    ::close(fd);
    return std::nullopt;
  }
  std::string text;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      *error = std::strerror(errno);
      ::close(fd);
      return std::nullopt;
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return text;
}

int RunRename(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const RenameOptions& options = line.options;
  if (!IsValidFolderPath(options.folder)) {
    err << kToolPrefix << "cannot rename the files of " << Quoted(options.folder)
        << ": not a folder, or a folder inside a trash can\n";
    return kExitBadArguments;
  }
  PosixFileSystem fs;
  if (line.commit && !options.logPath.empty() && !LogCanBeOpened(fs, options.logPath)) {
    err << kToolPrefix << "cannot open log file " << Quoted(options.logPath)
        << "; nothing was renamed\n";
    return kExitBadArguments;
  }

  // Should another holder take the log after the check above, the run
  // renames nothing rather than renaming unlogged.
  RequiredLog logged(fs);

  ConsoleResults results(out);
  ConsoleMessages messages(out, err);
  ToolLogPath logBox(options.logPath);
  RenameContext ctx{results, messages, logBox, logged};
  LastBatch batch;  // the log is the tool's record; this one ends with the run
  const bool finished = RenameFiles(line.commit, FixedOptions(options), ctx, batch);
  out.flush();

  if (logged.LogRefused()) {
    err << kToolPrefix << "cannot open log file " << Quoted(options.logPath)
        << "; nothing was renamed\n";
    return kExitBadArguments;
  }
  if (messages.AnyShown()) return kExitFailed;
  if (!finished || results.LimitReached()) return kExitStopped;
  return kExitDone;
}

int RunUndo(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const std::string& logPath = line.undoLogPath;
  std::string readError;
  const std::optional<std::string> text = ReadWholeFile(logPath, &readError);
  if (!text) {
    err << kToolPrefix << "cannot read log file " << Quoted(logPath) << ": " << readError << '\n';
    return kExitBadArguments;
  }
  LogReadResult last = ReadLastBatch(*text, EntryExists);
  if (last.error) {
    err << kToolPrefix << "cannot understand log file " << Quoted(logPath) << ": " << *last.error
        << "; nothing was renamed\n";
    return kExitBadArguments;
  }
  if (last.batch.Empty()) {
    err << kToolPrefix << "Nothing to undo.\n";
    return kExitStopped;
  }
  PosixFileSystem fs;
  if (!LogCanBeOpened(fs, logPath)) {
    err << kToolPrefix << "cannot open log file " << Quoted(logPath)
        << " to record the undo; nothing was renamed\n";
    return kExitBadArguments;
  }

  ConsoleResults results(out);
  ConsoleMessages messages(out, err);
  ToolLogPath logBox(logPath);
  RenameContext ctx{results, messages, logBox, fs};
  UndoLastBatch(ctx, last.batch);
  out.flush();
  return messages.AnyShown() ? kExitFailed : kExitDone;
}

}  // namespace

int RunTool(const std::vector<std::string>& args, const std::string& cwd, std::ostream& out,
            std::ostream& err) {
  const CommandLine line = ParseCommandLine(args, cwd);
  switch (line.action) {
    case ToolAction::Help:
      out << HelpText();
      return kExitDone;
    case ToolAction::Version:
      out << VersionText();
      return kExitDone;
    case ToolAction::Rename:
      return RunRename(line, out, err);
    case ToolAction::Undo:
      return RunUndo(line, out, err);
    case ToolAction::Error:
      break;
  }
  err << kToolPrefix << line.error << '\n'
      << UsageText() << "Try 'kalvenor-cli --help' for more information.\n";
  return kExitBadArguments;
}

}  // namespace kalvenor
