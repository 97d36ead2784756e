// Reading a rename log back as its history: every batch (its header and the
// pairs it recorded) and, from the undo sections, which pairs an undo has
// tried to rename back. A one-shot tool keeps no undo lists between runs,
// so the log is its record; the window can read it the same way.
//
// The log holds every line on the storage before its rename is tried, a
// group of lines at a time, so a batch's lines may include renames that
// never happened: the one that failed and stopped the batch (its last
// line, followed in newer logs by a line saying so), or the lines of the
// last group written when the run was killed or the power went. Renames are
// tried in the order of their lines. What happened is judged from the log
// together with the disk as it is now. A log this reader does not fully
// understand is refused as a whole: nothing acts on half of a log it
// cannot read.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "file_system.h"
#include "last_batch.h"

namespace kalvenor {

// The longest line a run can write: two paths of at most PATH_MAX bytes,
// each at most doubled by its escapes, and the words between them. A longer
// line is refused unread.
std::size_t MaxLogLineLength();

// Splits one log line "<left><separator><right>" (unescaped, without its
// line end) into its two full paths. Both paths of a line lie in one folder,
// so the split is the first occurrence of `separator` where both sides are
// absolute and their folder parts (up to the last '/') are equal; names
// that themselves hold the separator are thus read correctly. nullopt when
// no occurrence qualifies. Takes time linear in the line's length.
std::optional<std::pair<std::string, std::string>> SplitLogLine(std::string_view line,
                                                                std::string_view separator);

// A rename line "<old> renamed to <new>".
std::optional<std::pair<std::string, std::string>> SplitRenameLine(std::string_view line);

// Tells whether a path names an entry on disk now (symbolic links count as
// entries, dangling or not; a leftover reservation does not).
using PathExists = std::function<bool(const std::string& path)>;

// How two names of one folder that both exist stand to each other.
enum class NamePair {
  Separate,  // two entries, two files
  OneEntry,  // one entry that a case-insensitive file system finds by both
  OneFile,   // two entries naming one file (a rename cut off between its link and unlink)
};
using RelateNames = std::function<NamePair(const std::string& a, const std::string& b)>;

// The tests on a file system, each path looked up relative to its folder
// held open (so no path is too long to test). Two names that share an
// identity are one file when the folder's listing holds two entries of
// it, else one entry.
struct DiskTests {
  PathExists exists;
  RelateNames relate;
  PathExists isEmptyFile;  // an empty plain file is there (a leftover reservation too)
};
DiskTests DiskTestsOn(FileSystem& fs);

// One rename line of a batch.
struct LoggedPair {
  std::string oldPath;
  std::string newPath;
  // A later undo section holds this pair's "renamed back" line: an undo
  // tried it.
  bool undoTried = false;
  // The next line says that its rename failed.
  bool notRenamed = false;
  // The latest undo that tried it says that its rename back failed.
  bool undoFailed = false;
};

struct LoggedBatch {
  std::string time;  // the header's time stamp, as written
  std::vector<LoggedPair> pairs;
};

struct LogHistory {
  // Set when the log could not be understood: which line and why. The
  // batches are empty then.
  std::optional<std::string> error;
  std::vector<LoggedBatch> batches;  // oldest first
};

// Reads the whole text of a log in one pass. A last line without its line
// end was cut off while being written, so its rename was never tried: it is
// ignored; so is a line that is no log line but is followed by a header
// (cut off by a crash, then closed by the next run's opening). Lines may
// end in "\r\n". Lines before the first header belong to no batch and are
// ignored. An undo line counts for the latest batch before it that holds
// its pair.
LogHistory ReadLogHistory(std::string_view logText);

// For each pair of `batch`, whether it is still under its new name and
// must be renamed back. A pair proves itself renamed when its new name
// exists and its old one does not, when its two names are one file, or
// when an undo tried it; a proven pair, and a line saying that a rename
// failed, prove every pair before them tried, and a pair after the last
// proven one was never tried (a killed run's lines written ahead) or
// failed. Passed over: a pair whose rename failed
// (a line says so); a pair whose two names are one entry; a pair whose
// file has its old name and whose new name is free (never renamed, or
// back already); a pair whose new name and old name both exist and that
// no later pair proves tried; a pair whose file is gone (both names free)
// that an undo tried (as that undo reported) or that is the batch's last.
// `relate` may be empty: no two names are one entry or one file.
std::vector<bool> PairsToUndo(const LoggedBatch& batch, const PathExists& exists,
                              const RelateNames& relate = {});

enum class BatchState { Done, PartlyUndone, Undone };

// Undone when no pair needs an undo (a batch that renamed nothing included);
// PartlyUndone when some do and an undo tried some others; else Done.
BatchState StateOf(const LoggedBatch& batch, const PathExists& exists,
                   const RelateNames& relate = {});

// "done", "partly undone" or "undone".
const char* BatchStateText(BatchState state);

// The folder the batch renamed in (with its closing '/'); empty for a
// batch that renamed nothing.
std::string BatchFolder(const LoggedBatch& batch);

// The renames to take back: those of the latest batch with any pair that
// needs an undo, in log order. Empty when every batch is wholly undone.
// With `batchIndex`, also tells which batch that is.
LastBatch BatchToUndo(const LogHistory& history, const PathExists& exists,
                      const RelateNames& relate = {}, std::size_t* batchIndex = nullptr);

// What an undo from the log at a path would rename back, read as both the
// tool's --undo-log and the window's "Undo from Log File..." read it.
struct UndoFromLog {
  enum class Refusal { None, Untrusted, Unreadable, NotUnderstood, NothingToUndo };
  Refusal refusal = Refusal::None;
  std::string reason;  // Untrusted, Unreadable, NotUnderstood: why, in a few words
  // None: the renames to take back, in log order. Also (NothingToUndo
  // too) the reservations a crash left under names of that batch, or of
  // the latest batch when nothing is to be undone: marked ones, and the
  // empty file under the name where a run was killed (the first pair of
  // the batch not proven renamed, or the first its latest undo did not
  // finish), made before it could be marked.
  LastBatch batch;
  std::string time;  // None: the time stamp of that batch's header
};

// Reads the log at `logPath` through `fs`, opened once and read as the
// file it was judged on (log_trust.h): a log that another user may have
// written is no record of the caller's and is refused, since it could name
// any of the caller's files.
UndoFromLog ReadUndoFromLog(FileSystem& fs, const std::string& logPath);

}  // namespace kalvenor
