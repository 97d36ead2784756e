#include "run_log.h"

#include "file_name.h"
#include "log_format.h"
#include "run_texts.h"

namespace kalvenor {

RunLog::RunLog(FileSystem& fs, MessageSink& messages) : m_fs(fs), m_messages(messages) {}

bool RunLog::Open(const std::string& path, bool undo, bool required) {
  if (path.empty() || IsOpen()) return true;
  std::string resolved;
  m_handle = m_fs.OpenLog(path, &resolved, &m_id);
  if (!IsOpen()) {
    if (required) return false;
    m_messages.ShowMessage(std::string(kCannotOpenLog), MessageIcon::Exclamation);
    return true;
  }
  m_path = std::move(resolved);
  Write(LogHeaderLine(m_fs.LocalNow(), undo));
  return true;
}

void RunLog::LocateIn(const FolderHandle& folder) {
  m_nameInFolder.clear();
  if (!IsOpen() || !folder.IsOpen()) return;
  const PathParts parts = SplitPath(m_path);
  Cause cause = Cause::Ok;
  const FolderHandle parent = m_fs.OpenFolder(parts.folder.empty() ? "/" : parts.folder, &cause);
  FileId folderId, parentId, entryId;
  if (parent.IsOpen() && m_fs.Identify(folder, ".", &folderId) == Cause::Ok &&
      m_fs.Identify(parent, ".", &parentId) == Cause::Ok && folderId == parentId &&
      m_fs.Identify(folder, parts.name, &entryId) == Cause::Ok && entryId == m_id) {
    m_nameInFolder = parts.name;
  }
}

bool RunLog::IsThisLog(const FileId& id, std::string_view name) const {
  if (!IsOpen()) return false;
  return id == m_id || (!m_nameInFolder.empty() && name == m_nameInFolder);
}

bool RunLog::Write(std::string_view line) {
  if (!IsOpen() || m_writeFailed) return false;
  if (m_fs.AppendToLog(m_handle, line) == Cause::Ok) return true;
  m_writeFailed = true;
  m_messages.ShowMessage(CannotWriteLogText(m_path), MessageIcon::Exclamation);
  return false;
}

}  // namespace kalvenor
