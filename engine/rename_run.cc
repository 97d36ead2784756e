#include "rename_run.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "capture_times.h"
#include "exiv2_exif_reader.h"
#include "file_name.h"
#include "folder_scan.h"
#include "hidden_files.h"
#include "log_format.h"
#include "photo_sets.h"
#include "presort.h"
#include "rename_one.h"
#include "rename_plan.h"
#include "run_log.h"
#include "run_texts.h"

namespace kalvenor {
namespace {

// a + b + c in one allocation.
std::string Concat(std::string_view a, std::string_view b, std::string_view c = {}) {
  std::string out;
  out.reserve(a.size() + b.size() + c.size());
  out.append(a).append(b).append(c);
  return out;
}

// Logs and carries out planned rename `i`; false (with `outcome` saying
// why) when the run must stop: the rename failed, or its log line could
// not be written. When no line written ahead is left, the lines of the
// next group of renames are written first.
bool CarryOut(const std::vector<PlannedRename>& renames, std::size_t i,
              const std::string& folderPath, const FolderHandle& folder, RunLog& log,
              RenameContext& ctx, LastBatch& lastBatch, RunOutcome& outcome) {
  const PlannedRename& rename = renames[i];
  const FileEntry& entry = *rename.entry;
  const auto failed = [&](Failure failure) {
    outcome.end = RunEnd::RenameFailed;
    outcome.failedName = entry.name;
    outcome.failure = std::move(failure);
    return false;
  };
  // A new name that cannot be one directory entry (the base name holds a
  // '/' or a NUL, or the name is too long) fails before the disk is
  // touched, the log included: such a path in the log could later be read
  // back as a path into another folder. A group of lines ends before it.
  if (!IsPlainFileName(rename.newName)) {
    return failed(RenameOneFile(ctx, folder, folderPath, entry.name, rename.newName, false));
  }
  // Never rename a file whose line is not on the storage: after a failed
  // write the run stops here (the failure has been shown).
  if (log.IsOpen() && log.Untried() == 0) {
    std::vector<std::string> lines;
    for (std::size_t j = i; j < renames.size() && lines.size() < log.NextGroup() &&
                            IsPlainFileName(renames[j].newName);
         ++j) {
      lines.push_back(RenameLogLine(Concat(folderPath, renames[j].entry->name),
                                    Concat(folderPath, renames[j].newName)));
    }
    if (!log.WriteAhead(lines)) {
      outcome.end = RunEnd::LogWriteFailed;
      outcome.failure = log.LogFailure();
      return false;
    }
  }
  log.Tried();
  Failure failure = RenameOneFile(ctx, folder, folderPath, entry.name, rename.newName,
                                  log.IsThisLog(folder, entry.name, entry.id));
  std::string oldPath = Concat(folderPath, entry.name);
  if (failure) {
    // The log reads as if each line had been written just before its
    // rename, and says that this one failed.
    log.CutUntried();
    log.Write(NotRenamedLogLine(oldPath, CauseText(CauseOf(failure))), /*sync=*/true);
    return failed(std::move(failure));
  }
  lastBatch.Add(std::move(oldPath), Concat(folderPath, rename.newName));
  return true;
}

// Leaves out of `entries` the reservations a crash left under names of the
// series (they hold nothing and would count as members), and with
// `remove`, removes them; true when any went, so that the run plans again.
bool LeaveOutLeftovers(FileSystem& fs, const FolderHandle& folder, bool remove,
                       const RenamePlan& plan, std::vector<FileEntry>& entries) {
  if (plan.inSeries.empty() || !folder.IsOpen() || !fs.MayHoldLeftovers(folder)) return false;
  std::vector<std::string> leftovers;
  for (const FileEntry* entry : plan.inSeries) {
    EntryStat stat;
    if (!fs.StatEntry(folder, entry->name, &stat) && stat.isLeftoverReservation &&
        (!remove || !fs.RemoveLeftoverReservation(folder, entry->name, false))) {
      leftovers.push_back(entry->name);
    }
  }
  if (leftovers.empty()) return false;
  std::erase_if(entries, [&](const FileEntry& entry) {
    return std::find(leftovers.begin(), leftovers.end(), entry.name) != leftovers.end();
  });
  return true;
}

// Reads the "Date Taken" keys of what the run orders: every file, or each
// set's picture (the other members are not compared).
TakenTimes ReadTakenTimesOf(std::vector<FileEntry>& entries, const std::vector<PhotoSet>& sets,
                            bool photoSets, const FolderHandle& folder, const RenameContext& ctx,
                            bool commit) {
  std::vector<FileEntry*> files;
  if (photoSets) {
    files.reserve(sets.size());
    // The sets point into `entries`; the keys are filled in there.
    for (const PhotoSet& set : sets)
      files.push_back(entries.data() + (&set.Picture() - entries.data()));
  } else {
    files.reserve(entries.size());
    for (FileEntry& entry : entries) files.push_back(&entry);
  }
  ExifReader& exif = ctx.exif != nullptr ? *ctx.exif : DefaultExifReader();
  ctx.BeginStage(RunStage::CaptureTimes);
  TakenTimes times = ReadTakenTimes(files, folder, ctx, exif, /*keyUnreadWhenStopped=*/commit);
  ctx.BeginStage(RunStage::Files);
  return times;
}

}  // namespace

RunOutcome RenameFiles(bool commit, const RenameOptions& options, RenameContext& ctx,
                       LastBatch& lastBatch) {
  RunOutcome outcome;
  RunLog log(ctx.fs, ctx.messages, options.logSync);
  if (options.folderMustBeReadable) {
    if (Failure failure = ProbeFolder(ctx.fs, options.folder)) {
      outcome.end = RunEnd::FolderUnreadable;
      outcome.failure = std::move(failure);
      return outcome;
    }
  }
  if (commit) {
    lastBatch.Clear();
    if (!log.Open(options.logPath, /*undo=*/false, options.logRequired)) {
      outcome.end = RunEnd::LogNotOpened;
      outcome.failure = log.LogFailure();
      return outcome;
    }
    outcome.logPath = log.Path();
  }

  ResultsList& results = ctx.results;
  results.Clear();
  RedrawHold hold(results);
  int scrollTo = -1;

  std::string folderPath = options.folder;
  AppendSeparator(folderPath);
  std::error_code openError;
  const FolderHandle folder = ctx.fs.OpenFolder(folderPath, &openError);
  const bool taken = options.sortType == kSortByTaken;
  // The names that stay as they are: a new name must not be one of them.
  std::vector<std::string> keptNames;
  std::vector<FileEntry> entries =
      ScanFolder(ctx.fs, folder, /*withTimes=*/options.sortType == kSortByDate, keptNames);
  if (options.keepHidden) SetAsideHiddenFiles(entries, keptNames);

  // Reading a slow folder is the long part of a preview: a stop asked for
  // meanwhile leaves an empty list.
  if (!commit && ctx.StopRequested()) {
    outcome.end = RunEnd::Stopped;
    return outcome;
  }
  std::vector<PhotoSet> sets;
  if (options.photoSets) sets = GroupPhotoSets(entries);
  if ((options.photoSets ? sets.size() : entries.size()) > kMaxFileCount) {
    results.AddLine(FileCountLimitLine());
    outcome.end = RunEnd::FileCountLimit;
  } else {
    std::optional<TakenTimes> times;
    if (taken) {
      times = ReadTakenTimesOf(entries, sets, options.photoSets, folder, ctx, commit);
      // So is reading the capture times.
      if (!commit && times->stopped) {
        outcome.end = RunEnd::Stopped;
        return outcome;
      }
    }
    const auto planRenames = [&] {
      if (!options.photoSets) {
        PresortEntries(entries, options.sortType, options.ascending);
        return PlanRenames(entries, options, keptNames);
      }
      PresortSets(sets, options.sortType, options.ascending);
      return PlanSetRenames(sets, options, keptNames);
    };
    RenamePlan plan = planRenames();
    if (LeaveOutLeftovers(ctx.fs, folder, /*remove=*/commit, plan, entries)) {
      // The sets pointed into the entries that moved; the times read stay
      // with their entries.
      if (options.photoSets) sets = GroupPhotoSets(entries);
      plan = planRenames();
    }
    for (const FileEntry* entry : plan.inSeries) {
      results.AddLine(Concat(entry->name, kNotRenamedSuffix));
    }

    bool stopped = false;
    for (std::size_t i = 0; i < plan.renames.size(); ++i) {
      const PlannedRename& rename = plan.renames[i];
      if (commit && ctx.StopRequested()) {
        log.CutUntried();
        results.AddLine(StoppedBeforeLine(rename.entry->name));
        outcome.end = RunEnd::Stopped;
        stopped = true;
        break;
      }
      results.AddLine(Concat(rename.entry->name, kPlanArrow, rename.newName));
      if (commit && !CarryOut(plan.renames, i, folderPath, folder, log, ctx, lastBatch, outcome)) {
        stopped = true;
        break;
      }
      if (commit) ctx.Advance(i + 1, plan.renames.size());
    }
    if (commit) {
      // What the batch did is on the storage before the run says it is done.
      log.Finish();
      if (!lastBatch.Empty() && options.logSync != LogSync::Never) ctx.fs.SyncFolder(folder);
    }
    if (times) {
      results.AddLine(WithoutCaptureTimeLine(times->withoutCaptureTime));
      scrollTo = results.Count() - 1;
    }
    if (plan.indexLimitHit && !stopped) {
      results.AddLine(std::string(kIndexLimitLine));
      outcome.end = RunEnd::IndexLimit;
      return outcome;
    }
  }

  if (commit) {
    results.AddLine(std::string(kDoneClosingLine));
  } else {
    results.AddPreviewClosingLine();
  }
  // The closing line at the top, or the line about capture times above it.
  results.ScrollToTop(scrollTo >= 0 ? scrollTo : results.Count() - 1);
  return outcome;
}

}  // namespace kalvenor
