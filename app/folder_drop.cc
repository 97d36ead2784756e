#include "folder_drop.h"

#include <QMimeData>
#include <QUrl>

#include "display_text.h"
#include "file_name.h"
#include "read_pool.h"

namespace {

// The local path of the first dropped item; empty when there is none.
std::string DroppedPath(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls() || mime->urls().isEmpty()) return {};
  const QUrl url = mime->urls().constFirst();
  return url.isLocalFile() ? PathBytes(url.toLocalFile()) : std::string();
}

// The folder `path` stands for; empty when it is gone. Disk work.
std::string FolderOf(kalvenor::FileSystem& fs, const std::string& path) {
  kalvenor::PathStat stat;
  if (fs.Stat(path, /*followLinks=*/true, &stat)) return {};
  if (stat.isDirectory) return path;
  const std::string folder = kalvenor::SplitPath(path).folder;
  return folder.empty() ? std::string("/") : folder;
}

}  // namespace

FolderDrop::FolderDrop(kalvenor::FileSystem& fs, ReadPool& reads, QObject* parent)
    : QObject(parent), m_fs(fs), m_reads(reads) {}

bool FolderDrop::Offers(const QMimeData* mime) { return !DroppedPath(mime).empty(); }

void FolderDrop::Drop(const QMimeData* mime) {
  const std::string path = DroppedPath(mime);
  if (path.empty()) return;
  m_reads.Run(
      this, [&fs = m_fs, path] { return FolderOf(fs, path); },
      [this](const std::string& folder) {
        if (!folder.empty()) emit folderDropped(folder);
      });
}
