// The rename log as one run (a commit or an undo) holds it: opened at the
// run's start, written one line at a time, closed when the RunLog goes out
// of scope. Every line reaches the kernel before the caller goes on, so a
// crash never leaves a rename without its line.
#pragma once

#include <string>
#include <string_view>

#include "file_system.h"
#include "message_sink.h"

namespace kalvenor {

class RunLog {
 public:
  // Neither is owned; both must outlive the RunLog.
  RunLog(FileSystem& fs, MessageSink& messages);

  // Does nothing for an empty path. Otherwise opens the log and writes the
  // batch header (or with `undo` the undo header). When the log cannot be
  // opened, a `required` log makes this give false (nothing shown: the
  // run must not go on); otherwise "Cannot open log file." is shown and the
  // run goes on without a log.
  bool Open(const std::string& path, bool undo, bool required);

  bool IsOpen() const { return m_handle.IsOpen(); }
  // The absolute path of the open log; empty when none is open.
  const std::string& Path() const { return m_path; }

  // Prepares IsThisLog for entries of the held `folder`: notes the log's
  // own name there when the log lies in that folder.
  void LocateIn(const FolderHandle& folder);
  // True when the entry with identity `id` and `name` (in the folder given
  // to LocateIn, if any) is the open log: same device and inode, or the
  // log's own name in its folder. The name covers file systems whose
  // listing gives other inode numbers than stat; the inode covers further
  // hard links of the log.
  bool IsThisLog(const FileId& id, std::string_view name) const;

  // Appends `line` (with its line end). False when the log is not open or
  // a write has failed; the first failed write shows "Cannot write to log
  // file <path>." and no line is written after it.
  bool Write(std::string_view line);
  bool WriteFailed() const { return m_writeFailed; }

 private:
  FileSystem& m_fs;
  MessageSink& m_messages;
  LogHandle m_handle;
  FileId m_id;
  std::string m_path;
  std::string m_nameInFolder;  // empty unless the log lies in the run's folder
  bool m_writeFailed = false;
};

}  // namespace kalvenor
