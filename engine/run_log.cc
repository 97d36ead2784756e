#include "run_log.h"

#include "file_name.h"
#include "log_format.h"

namespace kalvenor {

RunLog::RunLog(FileSystem& fs, MessageSink& messages, LogPathBox& logBox)
    : fs_(fs), messages_(messages), logBox_(logBox) {}

RunLog::~RunLog() {
  if (handle_ >= 0) fs_.CloseLog(handle_);
}

void RunLog::Open(const std::string& path, bool undo) {
  if (path.empty() || handle_ >= 0) return;
  std::string resolved;
  handle_ = fs_.OpenLog(path, &resolved, &id_);
  if (handle_ < 0) {
    messages_.ShowMessage("Cannot open log file.", MessageIcon::Exclamation);
    return;
  }
  path_ = resolved;
  logBox_.SetLogPath(resolved);
  Write(LogHeaderLine(fs_.LocalNow(), undo));
}

void RunLog::LocateIn(int folder) {
  nameInFolder_.clear();
  if (handle_ < 0 || folder < 0) return;
  const PathParts parts = SplitPath(path_);
  HeldFolder parent(fs_, parts.folder.empty() ? std::string("/") : parts.folder);
  FileId folderId, parentId, entryId;
  if (parent.Valid() && fs_.Identify(folder, ".", &folderId) == Cause::Ok &&
      fs_.Identify(parent.Handle(), ".", &parentId) == Cause::Ok && folderId == parentId &&
      fs_.Identify(folder, parts.name, &entryId) == Cause::Ok && entryId == id_) {
    nameInFolder_ = parts.name;
  }
}

bool RunLog::IsThisLog(const FileEntry& entry) const {
  if (handle_ < 0) return false;
  return entry.id == id_ || (!nameInFolder_.empty() && entry.name == nameInFolder_);
}

bool RunLog::Write(std::string_view line) {
  if (handle_ < 0 || writeFailed_) return false;
  if (fs_.AppendToLog(handle_, line) == Cause::Ok) return true;
  writeFailed_ = true;
  messages_.ShowMessage("Cannot write to log file " + path_ + ".", MessageIcon::Exclamation);
  return false;
}

}  // namespace kalvenor
