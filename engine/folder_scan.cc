#include "folder_scan.h"

namespace kalvenor {

std::vector<FileEntry> ScanFolder(FileSystem& fs, const FolderHandle& folder, bool withTimes) {
  std::vector<FileEntry> entries;
  if (folder.IsOpen() && !fs.ListFiles(folder, withTimes, entries)) entries.clear();
  return entries;
}

}  // namespace kalvenor
