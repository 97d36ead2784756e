#include "log_history.h"

#include <climits>
#include <memory>
#include <unordered_map>

#include "cause.h"
#include "file_name.h"
#include "log_format.h"
#include "log_trust.h"
#include "run_texts.h"

namespace kalvenor {
namespace {

// The lines of the log, without their line ends; a cut-off last line is dropped.
std::vector<std::string_view> CompleteLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

// The key of a pair in the map from pairs to where they were logged. No
// path holds a NUL.
std::string PairKey(std::string_view oldPath, std::string_view newPath) {
  std::string key;
  key.reserve(oldPath.size() + newPath.size() + 1);
  key.append(oldPath).push_back('\0');
  key.append(newPath);
  return key;
}

// Whether `line` says that a rename of `path` failed: "<path><words><cause>"
// with one of the causes a run writes.
bool SaysFailed(std::string_view line, const std::string& path, std::string_view words) {
  const std::string head = EscapeLogPath(path) + std::string(words);
  if (!line.starts_with(head)) return false;
  const std::string_view cause = line.substr(head.size());
  for (const Cause known :
       {Cause::NoneGiven, Cause::FileNotFound, Cause::BadPath, Cause::TooManyOpenFiles,
        Cause::AccessDenied, Cause::HardwareError, Cause::SharingViolation, Cause::Unspecified}) {
    if (cause == CauseText(known)) return true;
  }
  return false;
}

// The folders a reader looks into, one at a time (a batch's pairs share
// one): held open, and listed when a test needs a name as it is spelt.
class HeldFolders {
 public:
  explicit HeldFolders(FileSystem& fs) : m_fs(fs) {}

  // The folder of the full path `path` held open (nullptr when it cannot
  // be opened), with `*name` set to the name in it.
  const FolderHandle* Open(const std::string& path, std::string* name) {
    PathParts parts = SplitPath(path);
    if (parts.folder.empty()) parts.folder = "/";
    if (!m_folder.IsOpen() || parts.folder != m_path) {
      std::error_code error;
      m_folder = m_fs.OpenFolder(parts.folder, &error);
      m_path = std::move(parts.folder);
      m_ids.reset();
      m_mayHoldLeftovers.reset();
    }
    *name = std::move(parts.name);
    return m_folder.IsOpen() ? &m_folder : nullptr;
  }
  // How many entries of the folder last opened name the file `id`.
  std::size_t EntriesOf(const FileId& id) {
    if (!m_ids) {
      std::vector<FileEntry> entries;
      m_fs.ListFiles(m_folder, /*withTimes=*/false, entries, nullptr);
      m_ids.emplace();
      for (const FileEntry& entry : entries) ++(*m_ids)[entry.id.inode];
    }
    const auto found = m_ids->find(id.inode);
    return found == m_ids->end() ? 0 : found->second;
  }
  // Whether the folder last opened may hold leftover reservations.
  bool MayHoldLeftovers() {
    if (!m_mayHoldLeftovers) m_mayHoldLeftovers = m_fs.MayHoldLeftovers(m_folder);
    return *m_mayHoldLeftovers;
  }
  FileSystem& Fs() { return m_fs; }

 private:
  FileSystem& m_fs;
  std::string m_path;
  FolderHandle m_folder;
  std::optional<std::unordered_map<std::uint64_t, std::size_t>> m_ids;  // inode -> entries
  std::optional<bool> m_mayHoldLeftovers;
};

}  // namespace

std::size_t MaxLogLineLength() { return 4 * static_cast<std::size_t>(PATH_MAX) + 64; }

std::optional<std::pair<std::string, std::string>> SplitLogLine(std::string_view line,
                                                                std::string_view separator) {
  if (!line.starts_with('/') || separator.empty()) return std::nullopt;
  const std::size_t lastSlash = line.rfind('/');
  // The right side's folder part ends at the line's last '/', so its length
  // shrinks as the separator moves right; the left side's (up to the last
  // '/' before the separator) never does. Their lengths agree at one
  // occurrence at most, and only there are the bytes compared: one pass.
  std::size_t slashBefore = 0;  // the last '/' before the occurrence looked at
  std::size_t scanned = 0;
  for (std::size_t at = line.find(separator); at != std::string_view::npos;
       at = line.find(separator, at + 1)) {
    for (; scanned < at; ++scanned) {
      if (line[scanned] == '/') slashBefore = scanned;
    }
    const std::size_t right = at + separator.size();
    if (right >= line.size() || line[right] != '/') continue;
    const std::size_t folderLength = lastSlash - right + 1;
    if (slashBefore + 1 < folderLength) continue;
    if (slashBefore + 1 > folderLength) break;  // and so for every later occurrence
    if (line.substr(0, folderLength) != line.substr(right, folderLength)) break;
    return std::pair{std::string(line.substr(0, at)), std::string(line.substr(right))};
  }
  return std::nullopt;
}

std::optional<std::pair<std::string, std::string>> SplitRenameLine(std::string_view line) {
  return SplitLogLine(line, kRenamedTo);
}

DiskTests DiskTestsOn(FileSystem& fs) {
  auto held = std::make_shared<HeldFolders>(fs);
  DiskTests tests;
  tests.exists = [held](const std::string& path) {
    std::string name;
    const FolderHandle* folder = held->Open(path, &name);
    EntryStat stat;
    return folder != nullptr && !held->Fs().StatEntry(*folder, name, &stat) &&
           !stat.isLeftoverReservation;
  };
  tests.relate = [held](const std::string& a, const std::string& b) {
    std::string nameA, nameB;
    const FolderHandle* folder = held->Open(a, &nameA);
    if (folder == nullptr || held->Open(b, &nameB) != folder) return NamePair::Separate;
    EntryStat first, second;
    if (held->Fs().StatEntry(*folder, nameA, &first) ||
        held->Fs().StatEntry(*folder, nameB, &second) || !(first.id == second.id)) {
      return NamePair::Separate;
    }
    // One file: under two entries, or under one that a file system which
    // ignores case finds by both names (the listing tells, whatever the
    // spelling it keeps).
    return held->EntriesOf(first.id) >= 2 ? NamePair::OneFile : NamePair::OneEntry;
  };
  tests.isEmptyFile = [held](const std::string& path) {
    std::string name;
    const FolderHandle* folder = held->Open(path, &name);
    EntryStat stat;
    return folder != nullptr && held->MayHoldLeftovers() &&
           !held->Fs().StatEntry(*folder, name, &stat) && stat.kind == EntryKind::File &&
           stat.size == 0;
  };
  return tests;
}

LogHistory ReadLogHistory(std::string_view logText) {
  LogHistory history;
  const std::vector<std::string_view> lines = CompleteLines(logText);
  // Where each pair was last logged: batch and pair index.
  std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> logged;
  LogHeader section = LogHeader::None;
  LoggedPair* lastUndone = nullptr;  // the pair of the undo line just read
  const auto fail = [&](std::size_t i, RunText why) {
    history.error = FormatRunText(why, std::to_string(i + 1));
    history.batches.clear();
    return history;
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.size() > MaxLogLineLength()) return fail(i, RunText::LineTooLong);
    const LogHeader kind = ClassifyLogLine(line);
    if (kind != LogHeader::None) {
      section = kind;
      lastUndone = nullptr;
      if (kind == LogHeader::Batch) history.batches.push_back({std::string(line), {}});
      continue;
    }
    if (section == LogHeader::None) continue;  // before the first header
    const bool undo = section == LogHeader::Undo;
    if (!undo && !history.batches.back().pairs.empty() &&
        SaysFailed(line, history.batches.back().pairs.back().oldPath, kWasNotRenamed)) {
      history.batches.back().pairs.back().notRenamed = true;
      continue;
    }
    if (undo && lastUndone != nullptr &&
        SaysFailed(line, lastUndone->newPath, kWasNotRenamedBack)) {
      lastUndone->undoFailed = true;
      continue;
    }
    lastUndone = nullptr;
    auto split = SplitLogLine(line, undo ? kRenamedBackTo : kRenamedTo);
    if (!split) {
      // Cut off by a crash and closed by the next run's header.
      if (i + 1 < lines.size() && ClassifyLogLine(lines[i + 1]) != LogHeader::None) continue;
      return fail(i, undo ? RunText::NotUndoLine : RunText::NotRenameLine);
    }
    std::optional<std::string> left = UnescapeLogPath(split->first);
    std::optional<std::string> right = UnescapeLogPath(split->second);
    if (!left || !right) return fail(i, RunText::BrokenEscape);
    if (undo) {
      // "<new> renamed back to <old>"
      const auto where = logged.find(PairKey(*right, *left));
      if (where != logged.end()) {
        lastUndone = &history.batches[where->second.first].pairs[where->second.second];
        lastUndone->undoTried = true;
        lastUndone->undoFailed = false;
      }
      continue;
    }
    LoggedBatch& batch = history.batches.back();
    logged[PairKey(*left, *right)] = {history.batches.size() - 1, batch.pairs.size()};
    batch.pairs.push_back({std::move(*left), std::move(*right)});
  }
  return history;
}

namespace {

// What the disk shows of each pair of a batch, and how far the pairs prove
// the batch got.
struct Judged {
  struct Seen {
    bool newExists, oldExists;
    NamePair names;
  };
  std::vector<Seen> seen;
  std::size_t proven = 0;  // one past the last pair that proves every pair before it renamed
  std::vector<bool> needed;
};

Judged Judge(const LoggedBatch& batch, const PathExists& exists, const RelateNames& relate) {
  Judged judged;
  judged.seen.reserve(batch.pairs.size());
  for (std::size_t i = 0; i < batch.pairs.size(); ++i) {
    const LoggedPair& pair = batch.pairs[i];
    Judged::Seen now{exists(pair.newPath), exists(pair.oldPath), NamePair::Separate};
    if (now.newExists && now.oldExists && relate) now.names = relate(pair.oldPath, pair.newPath);
    // Pairs before this one were all renamed when it proves itself
    // renamed, or when a line says that its rename failed (a run stops at
    // the first rename that fails).
    const bool proves = pair.notRenamed || pair.undoTried || now.names == NamePair::OneFile ||
                        (now.newExists && !now.oldExists);
    if (proves) judged.proven = i + 1;
    judged.seen.push_back(now);
  }
  judged.needed.assign(batch.pairs.size(), false);
  for (std::size_t i = 0; i < batch.pairs.size(); ++i) {
    const LoggedPair& pair = batch.pairs[i];
    const Judged::Seen& now = judged.seen[i];
    if (pair.notRenamed || now.names == NamePair::OneEntry) continue;
    if (now.newExists) {
      // Both names exist: renamed if a later pair proves it tried (its old
      // name was taken again since: the undo reports that), else its
      // rename failed on a name that was taken or was never tried.
      judged.needed[i] = now.names == NamePair::OneFile || !now.oldExists || i < judged.proven;
    } else if (!now.oldExists) {
      // Gone. A gone file is reported by the first undo that tries it, and
      // only then passed over; the last pair may never have been tried.
      judged.needed[i] = !pair.undoTried && i + 1 < batch.pairs.size();
    }
  }
  return judged;
}

// The reservations a crash left under names of `batch`: marked ones (no
// entry to `exists`, but an empty file), and the unmarked empty file where
// a killed run stood: the commit at the first pair not proven renamed, or
// an undo at the first pair it tried that is neither back nor failed.
std::vector<std::string> LeftoversOf(const LoggedBatch& batch, const DiskTests& disk) {
  const Judged judged = Judge(batch, disk.exists, disk.relate);
  std::vector<std::string> leftovers;
  bool undoStopFound = false;
  for (std::size_t i = 0; i < batch.pairs.size(); ++i) {
    const LoggedPair& pair = batch.pairs[i];
    const Judged::Seen& now = judged.seen[i];
    const bool bothSeparate = now.newExists && now.oldExists && now.names == NamePair::Separate;
    if (!now.newExists && disk.isEmptyFile(pair.newPath)) leftovers.push_back(pair.newPath);
    if (!now.oldExists && disk.isEmptyFile(pair.oldPath)) leftovers.push_back(pair.oldPath);
    if (i == judged.proven && !pair.notRenamed && bothSeparate && disk.isEmptyFile(pair.newPath)) {
      leftovers.push_back(pair.newPath);
    }
    if (!undoStopFound && pair.undoTried && !pair.undoFailed && bothSeparate) {
      undoStopFound = true;
      if (disk.isEmptyFile(pair.oldPath)) leftovers.push_back(pair.oldPath);
    }
  }
  return leftovers;
}

}  // namespace

std::vector<bool> PairsToUndo(const LoggedBatch& batch, const PathExists& exists,
                              const RelateNames& relate) {
  return Judge(batch, exists, relate).needed;
}

BatchState StateOf(const LoggedBatch& batch, const PathExists& exists, const RelateNames& relate) {
  const std::vector<bool> needed = PairsToUndo(batch, exists, relate);
  bool anyNeeded = false, anyTried = false;
  for (std::size_t i = 0; i < batch.pairs.size(); ++i) {
    if (needed[i]) anyNeeded = true;
    else if (batch.pairs[i].undoTried) anyTried = true;
  }
  if (!anyNeeded) return BatchState::Undone;
  return anyTried ? BatchState::PartlyUndone : BatchState::Done;
}

const char* BatchStateText(BatchState state) {
  switch (state) {
    case BatchState::Done: return "done";
    case BatchState::PartlyUndone: return "partly undone";
    case BatchState::Undone: break;
  }
  return "undone";
}

std::string BatchFolder(const LoggedBatch& batch) {
  if (batch.pairs.empty()) return {};
  const std::string& path = batch.pairs.front().oldPath;
  return path.substr(0, path.rfind('/') + 1);
}

LastBatch BatchToUndo(const LogHistory& history, const PathExists& exists,
                      const RelateNames& relate, std::size_t* batchIndex) {
  LastBatch renames;
  for (std::size_t b = history.batches.size(); b-- > 0 && renames.Empty();) {
    const LoggedBatch& batch = history.batches[b];
    const std::vector<bool> needed = PairsToUndo(batch, exists, relate);
    for (std::size_t i = 0; i < batch.pairs.size(); ++i) {
      if (needed[i]) renames.Add(batch.pairs[i].oldPath, batch.pairs[i].newPath);
    }
    if (!renames.Empty() && batchIndex != nullptr) *batchIndex = b;
  }
  return renames;
}

UndoFromLog ReadUndoFromLog(FileSystem& fs, const std::string& logPath) {
  using Refusal = UndoFromLog::Refusal;
  UndoFromLog result;
  const auto refuse = [&result](Refusal refusal, std::string reason) {
    result.refusal = refusal;
    result.reason = std::move(reason);
    return result;
  };
  std::string readError;
  LogFileFacts facts;
  const std::optional<std::string> text = fs.ReadLog(logPath, &facts, &readError);
  if (!text) return refuse(Refusal::Unreadable, readError);
  if (std::optional<std::string> distrust = LogDistrust(facts, fs.UserId())) {
    return refuse(Refusal::Untrusted, std::move(*distrust));
  }
  const LogHistory history = ReadLogHistory(*text);
  if (history.error) return refuse(Refusal::NotUnderstood, *history.error);
  std::size_t index = 0;
  const DiskTests disk = DiskTestsOn(fs);
  result.batch = BatchToUndo(history, disk.exists, disk.relate, &index);
  const bool nothing = result.batch.Empty();
  if (!history.batches.empty()) {
    const LoggedBatch& examined = history.batches[nothing ? history.batches.size() - 1 : index];
    for (std::string& path : LeftoversOf(examined, disk)) result.batch.AddLeftover(std::move(path));
  }
  if (nothing) return refuse(Refusal::NothingToUndo, {});
  result.time = history.batches[index].time;
  return result;
}

}  // namespace kalvenor
