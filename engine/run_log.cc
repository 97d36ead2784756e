#include "run_log.h"

#include <algorithm>
#include <cmath>

#include "file_name.h"
#include "log_format.h"
#include "log_trust.h"
#include "run_texts.h"

namespace kalvenor {
namespace {

// Whether `name` could be `logName` as a file system that ignores case
// finds it: the same length, and the same bytes but for the case of ASCII
// letters and bytes of other characters (whose case the file system may
// fold too).
bool CouldBeSpeltAs(std::string_view name, std::string_view logName) {
  if (name.size() != logName.size()) return false;
  const auto fold = [](unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto a = static_cast<unsigned char>(name[i]), b = static_cast<unsigned char>(logName[i]);
    if (fold(a) != fold(b) && (a < 0x80 || b < 0x80)) return false;
  }
  return true;
}

}  // namespace

void GroupPacer::Measured(std::chrono::nanoseconds sync, std::chrono::nanoseconds renames,
                          std::size_t count) {
  if (count == 0 || renames.count() <= 0) return;
  constexpr double kRenamesPerSync = 16;  // a sync costs a sixteenth of its group's renames
  const double perRename = static_cast<double>(renames.count()) / static_cast<double>(count);
  const double wanted = std::ceil(kRenamesPerSync * static_cast<double>(sync.count()) / perRename);
  m_next = static_cast<std::size_t>(
      std::clamp(wanted, static_cast<double>(kFirstGroup), static_cast<double>(kLargestGroup)));
}

RunLog::RunLog(FileSystem& fs, MessageSink& messages, LogSync sync)
    : m_fs(fs), m_messages(messages), m_sync(sync) {}

bool RunLog::Open(const std::string& path, bool undo, bool required) {
  if (path.empty() || IsOpen()) return true;
  OpenedLog opened;
  std::error_code error;
  m_handle = m_fs.OpenLog(path, &opened, &error);
  if (!IsOpen()) {
    m_failure = {error, path};
    if (required) return false;
    m_messages.ShowFailure(std::string(kCannotOpenLog), MessageIcon::Exclamation, m_failure);
    return true;
  }
  m_id = opened.facts.id;
  m_path = std::move(opened.resolvedPath);
  m_name = SplitPath(m_path).name;
  Write(LogHeaderLine(m_fs.LocalNow(), undo));
  if (!undo) {
    std::optional<std::string> distrust = LogDistrust(opened.facts, m_fs.UserId());
    if (opened.pathIsLink) distrust = "it is a symbolic link";
    if (distrust)
      m_messages.ShowMessage(UndoRefusedText(path, *distrust), MessageIcon::Exclamation);
  }
  return true;
}

bool RunLog::IsThisLog(const FolderHandle& folder, const std::string& name,
                       const FileId& id) const {
  if (!IsOpen()) return false;
  return id == m_id || (CouldBeSpeltAs(name, m_name) && m_fs.IsOpenLog(m_handle, folder, name));
}

std::size_t RunLog::NextGroup() {
  // The group just finished tells what a sync and a rename cost here.
  if (m_sync == LogSync::WriteAhead && !m_groupMeasured && m_tried > 0) {
    m_pacer.Measured(m_lastSync, m_fs.SteadyNow() - m_groupStart, m_tried);
    m_groupMeasured = true;
  }
  switch (m_sync) {
    case LogSync::WriteAhead: return m_pacer.NextGroup();
    case LogSync::AtEndOnly: return GroupPacer::kLargestGroup;
    case LogSync::Never: break;
  }
  return 1;
}

bool RunLog::WriteAhead(const std::vector<std::string>& lines) {
  if (!IsOpen() || m_writeFailed) return false;
  std::string bytes;
  m_group.clear();
  m_tried = 0;
  m_groupMeasured = false;
  for (const std::string& line : lines) {
    bytes += line;
    m_group.push_back(line.size());
  }
  if (const std::error_code error = m_fs.AppendToLog(m_handle, bytes)) {
    m_group.clear();
    return WriteFailedWith(error);
  }
  if (m_sync == LogSync::WriteAhead) {
    const auto start = m_fs.SteadyNow();
    if (const std::error_code error = m_fs.SyncLog(m_handle)) {
      (void)m_fs.TruncateLog(m_handle, bytes.size());
      m_group.clear();
      return WriteFailedWith(error);
    }
    m_groupStart = m_fs.SteadyNow();
    m_lastSync = m_groupStart - start;
  }
  return true;
}

void RunLog::Tried() {
  if (m_tried < m_group.size()) ++m_tried;
}

void RunLog::CutUntried() {
  std::uint64_t bytes = 0;
  for (std::size_t i = m_tried; i < m_group.size(); ++i) bytes += m_group[i];
  m_group.resize(m_tried);
  // A cut that fails leaves lines whose renames a reader finds undone.
  if (bytes > 0) (void)m_fs.TruncateLog(m_handle, bytes);
}

bool RunLog::Write(std::string_view line, bool sync) {
  if (!IsOpen() || m_writeFailed) return false;
  if (const std::error_code error = m_fs.AppendToLog(m_handle, line)) {
    return WriteFailedWith(error);
  }
  if (sync && m_sync != LogSync::Never) {
    if (const std::error_code error = m_fs.SyncLog(m_handle)) return WriteFailedWith(error);
  }
  return true;
}

void RunLog::Finish() {
  if (m_sync == LogSync::AtEndOnly && IsOpen() && !m_writeFailed) (void)m_fs.SyncLog(m_handle);
}

bool RunLog::WriteFailedWith(std::error_code error) {
  m_writeFailed = true;
  m_failure = {error, m_path};
  // The text names the log already.
  m_messages.ShowFailure(CannotWriteLogText(m_path), MessageIcon::Exclamation, Failure{error});
  return false;
}

}  // namespace kalvenor
