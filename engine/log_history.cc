#include "log_history.h"

#include <climits>
#include <unordered_map>

#include "log_format.h"
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

PathExists ExistsOn(FileSystem& fs) {
  return [&fs](const std::string& path) {
    PathStat stat;
    return fs.Stat(path, /*followLinks=*/false, &stat) == Cause::Ok;
  };
}

LogHistory ReadLogHistory(std::string_view logText) {
  LogHistory history;
  const std::vector<std::string_view> lines = CompleteLines(logText);
  // Where each pair was last logged: batch and pair index.
  std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> logged;
  LogHeader section = LogHeader::None;
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
      if (kind == LogHeader::Batch) history.batches.push_back({std::string(line), {}});
      continue;
    }
    if (section == LogHeader::None) continue;  // before the first header
    const bool undo = section == LogHeader::Undo;
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
      if (where != logged.end())
        history.batches[where->second.first].pairs[where->second.second].undoTried = true;
      continue;
    }
    LoggedBatch& batch = history.batches.back();
    logged[PairKey(*left, *right)] = {history.batches.size() - 1, batch.pairs.size()};
    batch.pairs.push_back({std::move(*left), std::move(*right), false});
  }
  return history;
}

SameFile SameFileOn(FileSystem& fs) {
  return [&fs](const std::string& a, const std::string& b) {
    PathStat first, second;
    return fs.Stat(a, /*followLinks=*/false, &first) == Cause::Ok &&
           fs.Stat(b, /*followLinks=*/false, &second) == Cause::Ok && first.id == second.id;
  };
}

bool PairNeedsUndo(const LoggedBatch& batch, std::size_t index, const PathExists& exists,
                   const SameFile& same) {
  const LoggedPair& pair = batch.pairs[index];
  if (!exists(pair.newPath)) {
    // Renamed back already, never renamed, or gone. A gone file is reported
    // by the first undo that tries it, and only then passed over; the last
    // pair may never have been tried at all.
    return !(exists(pair.oldPath) || pair.undoTried || index + 1 == batch.pairs.size());
  }
  // The new name exists. The last pair's rename may have failed because
  // that name was taken: then its file still has its old name.
  if (index + 1 < batch.pairs.size() || !exists(pair.oldPath)) return true;
  return same && same(pair.oldPath, pair.newPath);
}

BatchState StateOf(const LoggedBatch& batch, const PathExists& exists, const SameFile& same) {
  bool anyNeeded = false, anyTried = false;
  for (std::size_t i = 0; i < batch.pairs.size(); ++i) {
    if (PairNeedsUndo(batch, i, exists, same)) anyNeeded = true;
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

LastBatch BatchToUndo(const LogHistory& history, const PathExists& exists, const SameFile& same,
                      std::size_t* batchIndex) {
  LastBatch renames;
  for (std::size_t b = history.batches.size(); b-- > 0 && renames.Empty();) {
    const LoggedBatch& batch = history.batches[b];
    for (std::size_t i = 0; i < batch.pairs.size(); ++i) {
      if (PairNeedsUndo(batch, i, exists, same))
        renames.Add(batch.pairs[i].oldPath, batch.pairs[i].newPath);
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
  PathStat logStat;
  if (fs.Stat(logPath, /*followLinks=*/true, &logStat) == Cause::Ok) {
    if ((logStat.permissions & 022) != 0) {
      return refuse(Refusal::Untrusted, FormatRunText(RunText::WritableByOthers));
    }
    if (logStat.owner != fs.UserId() && logStat.owner != 0) {
      return refuse(Refusal::Untrusted, FormatRunText(RunText::OwnedByOther));
    }
  }
  std::string readError;
  const std::optional<std::string> text = fs.ReadFile(logPath, &readError);
  if (!text) return refuse(Refusal::Unreadable, readError);
  const LogHistory history = ReadLogHistory(*text);
  if (history.error) return refuse(Refusal::NotUnderstood, *history.error);
  std::size_t index = 0;
  result.batch = BatchToUndo(history, ExistsOn(fs), SameFileOn(fs), &index);
  if (result.batch.Empty()) return refuse(Refusal::NothingToUndo, {});
  result.time = history.batches[index].time;
  return result;
}

}  // namespace kalvenor
