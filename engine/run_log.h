// The rename log as one run (a commit or an undo) holds it: opened at the
// run's start, closed when the RunLog goes out of scope. The log is written
// ahead: the lines of a group of renames reach the storage (one write, one
// sync) before the first of those renames is tried, so that after a crash
// or a power cut no rename is on the disk without its line. Lines written
// ahead whose renames were not tried (the run failed or stopped first) are
// taken back out, so that the log reads as if each line had been written
// just before its rename. How many lines go ahead at a time follows what a
// sync costs on the log's storage (GroupPacer).
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "failure.h"
#include "file_system.h"
#include "message_sink.h"
#include "rename_options.h"

namespace kalvenor {

// The size of each group of lines written ahead: the first is small; then
// each group is made long enough that its sync costs about a sixteenth of
// the time its renames take (nothing on a RAM disk, a few ms on a disk, far
// more on a memory card), so that syncing adds little to a run however
// slow the storage.
class GroupPacer {
 public:
  static constexpr std::size_t kFirstGroup = 8;
  static constexpr std::size_t kLargestGroup = 1 << 16;

  std::size_t NextGroup() const { return m_next; }
  // The last group's sync took `sync`, then its `count` renames `renames`.
  void Measured(std::chrono::nanoseconds sync, std::chrono::nanoseconds renames, std::size_t count);

 private:
  std::size_t m_next = kFirstGroup;
};

class RunLog {
 public:
  // Neither is owned; both must outlive the RunLog.
  RunLog(FileSystem& fs, MessageSink& messages, LogSync sync = LogSync::WriteAhead);

  // Does nothing for an empty path. Otherwise opens the log and writes the
  // batch header (or with `undo` the undo header). When the log cannot be
  // opened (LogFailure says why), a `required` log makes this give false
  // (nothing shown: the run must not go on); otherwise "Cannot open log
  // file." is shown and the run goes on without a log. A commit's log that
  // a later undo would refuse (log_trust.h) is said so at once.
  bool Open(const std::string& path, bool undo, bool required);

  bool IsOpen() const { return m_handle.IsOpen(); }
  // The absolute path of the open log; empty when none is open.
  const std::string& Path() const { return m_path; }

  // True when the entry `name` of the held `folder`, with identity `id`,
  // is the open log: the same identity, or a name that could be the log's
  // own in other capitals and that the file system finds to be the log.
  bool IsThisLog(const FolderHandle& folder, const std::string& name, const FileId& id) const;

  // How many renames the next group of lines should cover.
  std::size_t NextGroup();
  // Writes `lines` (one line per rename to come, in the order the renames
  // will be tried) ahead of their renames and, as the sync policy says,
  // syncs them. False when the log is not open or the write or sync
  // failed: the failure is shown once ("Cannot write to log file <path>."),
  // nothing of the group stays in the log, and nothing is written after.
  bool WriteAhead(const std::vector<std::string>& lines);
  // The number of lines written ahead whose renames are not tried yet.
  std::size_t Untried() const { return m_group.size() - m_tried; }
  // The next line's rename is about to be tried.
  void Tried();
  // Takes the lines whose renames were not tried back out of the log.
  void CutUntried();

  // Appends `line` (with its line end) and, when `sync`, syncs it. False
  // when the log is not open or a write has failed (shown as above).
  bool Write(std::string_view line, bool sync = false);
  bool WriteFailed() const { return m_writeFailed; }
  // Why the log could not be opened, or the first write or sync of it that
  // failed, with the log's path; no failure otherwise.
  const Failure& LogFailure() const { return m_failure; }

  // The end of the run's lines: with LogSync::AtEndOnly, the log is synced.
  void Finish();

 private:
  bool WriteFailedWith(std::error_code error);

  FileSystem& m_fs;
  MessageSink& m_messages;
  LogSync m_sync;
  LogHandle m_handle;
  FileId m_id;
  std::string m_path;
  std::string m_name;  // the log's own name, as opened
  bool m_writeFailed = false;
  Failure m_failure;

  GroupPacer m_pacer;
  std::vector<std::size_t> m_group;  // the byte length of each line of the group
  std::size_t m_tried = 0;           // how many of them were tried
  bool m_groupMeasured = false;
  std::chrono::nanoseconds m_lastSync{0};
  std::chrono::steady_clock::time_point m_groupStart;
};

}  // namespace kalvenor
