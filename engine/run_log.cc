#include "run_log.h"

#include "file_name.h"
#include "log_format.h"
#include "run_texts.h"

namespace kalvenor {

RunLog::RunLog(FileSystem& fs, MessageSink& messages) : m_fs(fs), m_messages(messages) {}

bool RunLog::Open(const std::string& path, bool undo, bool required) {
  if (path.empty() || IsOpen()) return true;
  OpenedLog opened;
  m_handle = m_fs.OpenLog(path, &opened);
  if (!IsOpen()) {
    if (required) return false;
    m_messages.ShowMessage(std::string(kCannotOpenLog), MessageIcon::Exclamation);
    return true;
  }
  m_id = opened.facts.id;
  m_path = std::move(opened.resolvedPath);
  Write(LogHeaderLine(m_fs.LocalNow(), undo));
  return true;
}

void RunLog::LocateIn(const FolderHandle& folder) {
  m_nameInFolder.clear();
  if (!IsOpen() || !folder.IsOpen()) return;
  const PathParts parts = SplitPath(m_path);
  Cause cause = Cause::Ok;
  const FolderHandle parent = m_fs.OpenFolder(parts.folder.empty() ? "/" : parts.folder, &cause);
  EntryStat self, parentSelf, entry;
  if (parent.IsOpen() && m_fs.StatEntry(folder, ".", &self) == Cause::Ok &&
      m_fs.StatEntry(parent, ".", &parentSelf) == Cause::Ok && self.id == parentSelf.id &&
      m_fs.StatEntry(folder, parts.name, &entry) == Cause::Ok && entry.id == m_id) {
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
