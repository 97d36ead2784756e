// The rename log as one run (a commit or an undo) holds it: opened at the
// run's start, written one line at a time, closed when the RunLog goes out
// of scope. Every line reaches the kernel before the caller goes on, so a
// crash never leaves a rename without its line.
#pragma once

#include <string>
#include <string_view>

#include "file_system.h"
#include "log_path_box.h"
#include "message_sink.h"

namespace kalvenor {

class RunLog {
 public:
  // None of the three is owned; all must outlive the RunLog.
  RunLog(FileSystem& fs, MessageSink& messages, LogPathBox& logBox);
  ~RunLog();
  RunLog(const RunLog&) = delete;
  RunLog& operator=(const RunLog&) = delete;

  // Does nothing for an empty path. Otherwise opens the log; when that
  // fails, shows "Cannot open log file." and the run goes on without a log.
  // When it opens, puts its absolute path into the log box and writes the
  // batch header (or with `undo` the undo header).
  void Open(const std::string& path, bool undo);

  bool IsOpen() const { return handle_ >= 0; }
  // The open log's identity; meaningful only while IsOpen().
  const FileId& Id() const { return id_; }

  // Prepares IsThisLog for entries of the held `folder`: notes the log's
  // own name there when the log lies in that folder.
  void LocateIn(int folder);
  // True when `entry` (scanned from the folder given to LocateIn) is the
  // open log: same device and inode, or the log's own name in its folder.
  // The name covers file systems whose listing gives other inode numbers
  // than stat; the inode covers further hard links of the log.
  bool IsThisLog(const FileEntry& entry) const;

  // Appends `line` (with its line end). False when the log is not open or
  // a write has failed; the first failed write shows "Cannot write to log
  // file <path>." and no line is written after it.
  bool Write(std::string_view line);
  bool WriteFailed() const { return writeFailed_; }

 private:
  FileSystem& fs_;
  MessageSink& messages_;
  LogPathBox& logBox_;
  int handle_ = -1;
  FileId id_;
  std::string path_;
  std::string nameInFolder_;  // empty unless the log lies in the run's folder
  bool writeFailed_ = false;
};

}  // namespace kalvenor
