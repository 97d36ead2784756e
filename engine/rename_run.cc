#include "rename_run.h"

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

// Logs and carries out one planned rename; false (with `outcome` saying
// why) when the run must stop: the rename failed, or its log line could
// not be written.
bool CarryOut(const PlannedRename& rename, const std::string& folderPath,
              const FolderHandle& folder, RunLog& log, RenameContext& ctx, LastBatch& lastBatch,
              RunOutcome& outcome) {
  const FileEntry& entry = *rename.entry;
  const auto failed = [&](Cause cause) {
    outcome.end = RunEnd::RenameFailed;
    outcome.failedName = entry.name;
    outcome.cause = cause;
    return false;
  };
  std::string oldPath = Concat(folderPath, entry.name);
  std::string newPath = Concat(folderPath, rename.newName);
  // A new name that cannot be one directory entry (the base name holds a
  // '/' or a NUL, or the name is too long) fails before the disk is
  // touched, the log included: such a path in the log could later be read
  // back as a path into another folder.
  if (!IsPlainFileName(rename.newName)) {
    return failed(RenameOneFile(ctx, folder, entry.name, rename.newName, false));
  }
  // Never rename a file whose line is not in the log: after a failed write
  // the run stops here (the failure has been shown).
  if (log.WriteFailed() || (log.IsOpen() && !log.Write(RenameLogLine(oldPath, newPath)))) {
    outcome.end = RunEnd::LogWriteFailed;
    return false;
  }
  const Cause cause =
      RenameOneFile(ctx, folder, entry.name, rename.newName, log.IsThisLog(entry.id, entry.name));
  if (cause != Cause::Ok) return failed(cause);
  lastBatch.Add(std::move(oldPath), std::move(newPath));
  return true;
}

// Reads the "Date Taken" keys of what the run orders: every file, or each
// set's picture (the other members are not compared).
TakenTimes ReadTakenTimesOf(std::vector<FileEntry>& entries, const std::vector<PhotoSet>& sets,
                            bool photoSets, const FolderHandle& folder, const RenameContext& ctx) {
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
  TakenTimes times = ReadTakenTimes(files, folder, ctx, exif);
  ctx.BeginStage(RunStage::Files);
  return times;
}

}  // namespace

RunOutcome RenameFiles(bool commit, const RenameOptions& options, RenameContext& ctx,
                       LastBatch& lastBatch) {
  RunOutcome outcome;
  RunLog log(ctx.fs, ctx.messages);
  if (options.folderMustBeReadable) {
    const Cause cause = ProbeFolder(ctx.fs, options.folder);
    if (cause != Cause::Ok) {
      outcome.end = RunEnd::FolderUnreadable;
      outcome.cause = cause;
      return outcome;
    }
  }
  if (commit) {
    lastBatch.Clear();
    if (!log.Open(options.logPath, /*undo=*/false, options.logRequired)) {
      outcome.end = RunEnd::LogNotOpened;
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
  Cause openCause = Cause::Ok;
  const FolderHandle folder = ctx.fs.OpenFolder(folderPath, &openCause);
  const bool taken = options.sortType == kSortByTaken;
  std::vector<FileEntry> entries =
      ScanFolder(ctx.fs, folder, /*withTimes=*/options.sortType == kSortByDate || taken);
  // The names that stay as they are: a new name must not be one of them.
  std::vector<std::string> keptNames;
  if (folder.IsOpen() && !ScanKeptNames(ctx.fs, folder, keptNames)) entries.clear();
  if (options.keepHidden) SetAsideHiddenFiles(entries, keptNames);

  if (commit) log.LocateIn(folder);

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
      times = ReadTakenTimesOf(entries, sets, options.photoSets, folder, ctx);
      // So is reading the capture times.
      if (!commit && times->stopped) {
        outcome.end = RunEnd::Stopped;
        return outcome;
      }
    }
    RenamePlan plan;
    if (options.photoSets) {
      PresortSets(sets, options.sortType, options.ascending);
      plan = PlanSetRenames(sets, options, keptNames);
    } else {
      PresortEntries(entries, options.sortType, options.ascending);
      plan = PlanRenames(entries, options, keptNames);
    }
    for (const FileEntry* entry : plan.inSeries) {
      results.AddLine(Concat(entry->name, kNotRenamedSuffix));
    }

    bool stopped = false;
    std::size_t done = 0;
    for (const PlannedRename& rename : plan.renames) {
      if (commit && ctx.StopRequested()) {
        results.AddLine(StoppedBeforeLine(rename.entry->name));
        outcome.end = RunEnd::Stopped;
        stopped = true;
        break;
      }
      results.AddLine(Concat(rename.entry->name, kPlanArrow, rename.newName));
      if (commit && !CarryOut(rename, folderPath, folder, log, ctx, lastBatch, outcome)) {
        stopped = true;
        break;
      }
      if (commit) ctx.Advance(++done, plan.renames.size());
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
