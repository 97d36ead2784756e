#include "undo_last.h"

#include <cerrno>

#include "file_name.h"
#include "log_format.h"
#include "rename_one.h"
#include "run_log.h"
#include "run_texts.h"

namespace kalvenor {
namespace {

// The folder a full path lies in, as a path that can be opened: "/" for a
// file at the top, "." for a bare name.
std::string FolderToOpen(const std::string& path, const PathParts& parts) {
  if (!parts.folder.empty()) return parts.folder;
  return path.starts_with('/') ? "/" : ".";
}

}  // namespace

void RemoveLeftovers(FileSystem& fs, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    const PathParts parts = SplitPath(path);
    std::error_code error;
    const FolderHandle folder = fs.OpenFolder(FolderToOpen(path, parts), &error);
    if (folder.IsOpen()) fs.RemoveLeftoverReservation(folder, parts.name, /*unmarked=*/true);
  }
}

RunOutcome UndoLastBatch(const std::string& logPath, bool logRequired, RenameContext& ctx,
                         LastBatch& lastBatch, bool fromLog) {
  RunOutcome outcome;
  RunLog log(ctx.fs, ctx.messages);
  if (!log.Open(logPath, /*undo=*/true, logRequired)) {
    outcome.end = RunEnd::LogNotOpened;
    outcome.failure = log.LogFailure();
    return outcome;
  }
  outcome.logPath = log.Path();
  RemoveLeftovers(ctx.fs, lastBatch.Leftovers());

  ResultsList& results = ctx.results;
  results.Clear();
  RedrawHold hold(results);

  // The batch's files normally share one folder: it is opened once and
  // held for as long as consecutive entries lie in it.
  FolderHandle folder;
  std::error_code folderError;
  std::string folderPath;
  bool renamedHere = false;  // a file of the folder held was renamed back
  // What was renamed back is on the storage before the undo says it is done.
  const auto syncFolder = [&] {
    if (renamedHere) ctx.fs.SyncFolder(folder);
    renamedHere = false;
  };

  const std::vector<std::string>& oldPaths = lastBatch.OldPaths();
  const std::vector<std::string>& newPaths = lastBatch.NewPaths();
  // The pairs not reached when the undo is asked to stop: still renamed,
  // so still to be undone.
  LastBatch notReached;
  for (std::size_t i = 0; i < oldPaths.size(); ++i) {
    const PathParts from = SplitPath(newPaths[i]);
    const PathParts to = SplitPath(oldPaths[i]);
    if (ctx.StopRequested()) {
      log.CutUntried();
      results.AddLine(StoppedBeforeLine(from.name));
      if (outcome.end == RunEnd::Done) outcome.end = RunEnd::Stopped;
      for (std::size_t rest = i; rest < oldPaths.size(); ++rest) {
        notReached.Add(oldPaths[rest], newPaths[rest]);
      }
      break;
    }
    results.AddLine(from.name + std::string(kPlanArrow) + to.name);
    // Every entry's line is on the storage before its rename is tried. A
    // failed write is shown once; getting the files back matters more than
    // the log, so the undo goes on unlogged.
    if (log.IsOpen() && log.Untried() == 0 && !log.WriteFailed()) {
      std::vector<std::string> lines;
      for (std::size_t j = i; j < oldPaths.size() && lines.size() < log.NextGroup(); ++j) {
        lines.push_back(UndoLogLine(newPaths[j], oldPaths[j]));
      }
      log.WriteAhead(lines);
    }
    log.Tried();

    // A failure found before a rename is tried is shown as a failed rename.
    const auto refused = [&](std::error_code error) {
      Failure failure{error, newPaths[i], oldPaths[i]};
      ShowRenameError(ctx.messages, failure);
      return failure;
    };
    Failure failure;
    const std::string here = FolderToOpen(newPaths[i], from);
    if (here != FolderToOpen(oldPaths[i], to)) {
      // A rename never moves a file to another folder: a bad path.
      failure = refused(ErrorFromErrno(EINVAL));
    } else {
      if (!folder.IsOpen() || folderPath != here) {
        syncFolder();
        folder = ctx.fs.OpenFolder(here, &folderError);
        folderPath = here;
      }
      EntryStat current;
      const bool found = folder.IsOpen() && !ctx.fs.StatEntry(folder, from.name, &current);
      EntryStat old;
      if (!folder.IsOpen()) {
        failure = refused(folderError);
      } else if (fromLog && found && current.kind == EntryKind::Folder) {
        // A run never renames a folder: access denied.
        failure = refused(ErrorFromErrno(EISDIR));
      } else if (fromLog && found && !ctx.fs.StatEntry(folder, to.name, &old) &&
                 old.id == current.id) {
        // A crash between the link and the unlink of a rename left the
        // file under both names: the new one goes.
        if (const std::error_code error = ctx.fs.RemoveSecondName(folder, from.name, to.name)) {
          failure = refused(error);
        }
      } else {
        const bool isOpenLog = found && log.IsThisLog(folder, from.name, current.id);
        failure = RenameOneFile(ctx, folder, here, from.name, to.name, isOpenLog);
      }
      renamedHere = renamedHere || !failure;
    }
    if (failure) {
      // The log says so, after the lines of renames tried (so that those
      // written ahead for the next entries go and are written again).
      log.CutUntried();
      log.Write(NotRenamedBackLogLine(newPaths[i], CauseText(CauseOf(failure))), /*sync=*/true);
    }
    if (failure && outcome.end != RunEnd::RenameFailed) {
      outcome.end = RunEnd::RenameFailed;
      outcome.failedName = from.name;
      outcome.failure = std::move(failure);
    }
    ctx.Advance(i + 1, oldPaths.size());
  }

  syncFolder();
  if (outcome.end == RunEnd::Done && log.WriteFailed()) {
    outcome.end = RunEnd::LogWriteFailed;
    outcome.failure = log.LogFailure();
  }
  results.AddLine(std::string(kDoneClosingLine));
  results.ScrollToTop(results.Count() - 1);
  lastBatch = std::move(notReached);
  return outcome;
}

}  // namespace kalvenor
