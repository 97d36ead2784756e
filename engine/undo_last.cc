#include "undo_last.h"

#include <memory>

#include "file_name.h"
#include "log_format.h"
#include "run_log.h"

namespace kalvenor {
namespace {

// Renames one recorded file back inside `folder`; the open log itself is
// never moved while the undo writes to it.
Cause RenameBack(RenameContext& ctx, int folder, const std::string& from, const std::string& to,
                 const RunLog& log) {
  if (log.IsOpen()) {
    FileId id;
    if (ctx.fs.Identify(folder, from, &id) == Cause::Ok && id == log.Id()) {
      return Cause::SharingViolation;
    }
  }
  return RenameInFolder(ctx.fs, folder, from, to);
}

}  // namespace

void UndoLastBatch(RenameContext& ctx, LastBatch& lastBatch) {
  RunLog log(ctx.fs, ctx.messages, ctx.logBox);
  log.Open(ctx.logBox.GetLogPath(), /*undo=*/true);

  ResultsList& results = ctx.results;
  results.Clear();
  RedrawHold hold(results);

  // The batch's files normally share one folder: it is opened once and
  // held for as long as consecutive entries lie in it.
  std::unique_ptr<HeldFolder> folder;
  std::string folderPath;

  const std::vector<std::string>& oldPaths = lastBatch.OldPaths();
  const std::vector<std::string>& newPaths = lastBatch.NewPaths();
  for (std::size_t i = 0; i < oldPaths.size(); ++i) {
    const PathParts from = SplitPath(newPaths[i]);
    const PathParts to = SplitPath(oldPaths[i]);
    results.AddLine(from.name + " -> " + to.name);
    // A failed write is shown once; getting the files back matters more
    // than the log, so the undo goes on unlogged.
    if (log.IsOpen()) log.Write(UndoLogLine(newPaths[i], oldPaths[i]));

    Cause cause = Cause::Ok;
    const std::string here = FolderToOpen(newPaths[i], from);
    if (here != FolderToOpen(oldPaths[i], to)) {
      cause = Cause::BadPath;
    } else {
      if (!folder || folderPath != here) {
        folder.reset();
        folder = std::make_unique<HeldFolder>(ctx.fs, here);
        folderPath = here;
      }
      cause = folder->Valid() ? RenameBack(ctx, folder->Handle(), from.name, to.name, log)
                              : folder->OpenCause();
    }
    if (cause != Cause::Ok) ReportRenameError(ctx.messages, cause);
  }

  results.AddLine("Operations complete.");
  results.ScrollToTop(results.Count() - 1);
  lastBatch.Clear();
}

}  // namespace kalvenor
