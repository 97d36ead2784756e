#include "folder_check.h"

#include "folder_path.h"
#include "read_pool.h"

FolderCheck::FolderCheck(kalvenor::FileSystem& fs, ReadPool& reads, QObject* parent)
    : QObject(parent), m_fs(fs), m_reads(reads) {}

bool FolderCheck::Accepts(const std::string& path) const { return m_accepted && path == m_path; }

void FolderCheck::Check(const std::string& path) {
  if (path != m_path) {
    m_path = path;
    m_accepted = false;
  }
  if (m_testing) {
    m_again = true;
    return;
  }
  Start();
}

void FolderCheck::Accept(const std::string& path) {
  m_path = path;
  m_accepted = true;
}

void FolderCheck::Start() {
  m_testing = true;
  m_again = false;
  m_reads.Run(
      this, [&fs = m_fs, path = m_path] { return kalvenor::IsValidFolderPath(fs, path); },
      [this, path = m_path](bool accepted) { OnTested(path, accepted); });
}

void FolderCheck::OnTested(const std::string& path, bool accepted) {
  m_testing = false;
  if (m_again) {
    Start();
    if (path != m_path) return;  // a verdict on a folder no longer in the box
  }
  if (path != m_path || accepted == m_accepted) return;
  m_accepted = accepted;
  emit verdictChanged();
}
