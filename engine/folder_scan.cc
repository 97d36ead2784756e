#include "folder_scan.h"

namespace kalvenor {

std::vector<FileEntry> ScanFolder(FileSystem& fs, int folder, bool withTimes) {
  std::vector<FileEntry> entries;
  if (folder >= 0 && !fs.ListFiles(folder, withTimes, entries)) entries.clear();
  return entries;
}

}  // namespace kalvenor
