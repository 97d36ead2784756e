// One run of a rename job: scan, presort, plan, Results lines, and in commit
// mode the log and the renames, stopping at the first failure.
#include "rename_run.h"

#include <string_view>

#include "file_name.h"
#include "folder_scan.h"
#include "log_format.h"
#include "presort.h"
#include "rename_plan.h"
#include "run_log.h"

namespace kalvenor {
namespace {

// a + b + c in one allocation.
std::string Concat(std::string_view a, std::string_view b, std::string_view c = {}) {
  std::string out;
  out.reserve(a.size() + b.size() + c.size());
  out.append(a).append(b).append(c);
  return out;
}

// Logs and carries out one planned rename; false when the run must stop
// (the rename failed, or its log line could not be written).
bool CarryOut(const PlannedRename& rename, const std::string& folderPath, int folder,
              RunLog& log, RenameContext& ctx, LastBatch& lastBatch) {
  std::string oldPath = Concat(folderPath, rename.entry->name);
  std::string newPath = Concat(folderPath, rename.newName);
  // A new name that cannot be one directory entry (the base name holds a
  // '/' or a NUL, or the name is too long) fails before the disk is
  // touched, the log included: such a path in the log could later be read
  // back as a path into another folder.
  if (!IsPlainFileName(rename.newName)) {
    ReportRenameError(ctx.messages, Cause::BadPath);
    return false;
  }
  // Never rename a file whose line is not in the log: after a failed write
  // the run stops here (the failure has been shown).
  if (log.WriteFailed()) return false;
  if (log.IsOpen() && !log.Write(RenameLogLine(oldPath, newPath))) return false;

  // The open log itself stays where it is while the run writes to it.
  const Cause cause = log.IsThisLog(*rename.entry)
                          ? Cause::SharingViolation
                          : RenameInFolder(ctx.fs, folder, rename.entry->name, rename.newName);
  if (cause != Cause::Ok) {
    ReportRenameError(ctx.messages, cause);
    return false;
  }
  lastBatch.Add(std::move(oldPath), std::move(newPath));
  return true;
}

}  // namespace

bool RenameFiles(bool commit, const OptionValues& values, RenameContext& ctx,
                 LastBatch& lastBatch) {
  const std::string logPath = ctx.logBox.GetLogPath();
  if (!logPath.empty()) ctx.logBox.SetDocumentTitle(logPath);

  RunLog log(ctx.fs, ctx.messages, ctx.logBox);
  if (commit) {
    lastBatch.Clear();
    log.Open(logPath, /*undo=*/false);
  }

  RenameOptions options = values.CurrentOptions();
  ResultsList& results = ctx.results;
  results.Clear();
  RedrawHold hold(results);

  AppendSeparator(options.folder);
  HeldFolder folder(ctx.fs, options.folder);
  std::vector<FileEntry> entries =
      ScanFolder(ctx.fs, folder.Handle(), /*withTimes=*/options.sortType == kSortByDate);

  if (commit) log.LocateIn(folder.Handle());

  if (entries.size() > kMaxFileCount) {
    results.AddLine("File count exceeds 9999.");
  } else {
    PresortEntries(entries, options.sortType, options.ascending);
    const RenamePlan plan = PlanRenames(entries, options);
    for (const FileEntry* entry : plan.inSeries) {
      results.AddLine(Concat(entry->name, " -> Not Renamed"));
    }

    bool stopped = false;
    for (const PlannedRename& rename : plan.renames) {
      results.AddLine(Concat(rename.entry->name, " -> ", rename.newName));
      if (commit && !CarryOut(rename, options.folder, folder.Handle(), log, ctx, lastBatch)) {
        stopped = true;
        break;
      }
    }
    if (plan.indexLimitHit && !stopped) {
      results.AddLine("Index exceeds limit.");
      return false;
    }
  }

  results.AddLine(commit ? "Operations complete." : "Click Continue to do the above.");
  results.ScrollToTop(results.Count() - 1);
  return true;
}

}  // namespace kalvenor
