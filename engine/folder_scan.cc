#include "folder_scan.h"

#include <cerrno>

namespace kalvenor {

std::vector<FileEntry> ScanFolder(FileSystem& fs, const FolderHandle& folder, bool withTimes,
                                  std::vector<std::string>& keptNames) {
  std::vector<FileEntry> entries;
  if (!folder.IsOpen()) return entries;
  const std::size_t keptBefore = keptNames.size();
  if (const std::error_code error = fs.ListFiles(folder, withTimes, entries, &keptNames)) {
    entries.clear();
    keptNames.resize(keptBefore);
  }
  return entries;
}

Failure ProbeFolder(FileSystem& fs, const std::string& path) {
  std::error_code error;
  const FolderHandle folder = fs.OpenFolder(path, &error);
  if (!folder.IsOpen()) return {error ? error : ErrorFromErrno(EBADF), path};
  std::vector<FileEntry> entries;
  return {fs.ListFiles(folder, /*withTimes=*/false, entries, nullptr), path};
}

}  // namespace kalvenor
