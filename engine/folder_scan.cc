#include "folder_scan.h"

#include <cerrno>

namespace kalvenor {

std::vector<FileEntry> ScanFolder(FileSystem& fs, const FolderHandle& folder, bool withTimes) {
  std::vector<FileEntry> entries;
  if (folder.IsOpen() && !fs.ListFiles(folder, withTimes, entries)) entries.clear();
  return entries;
}

Cause ProbeFolder(FileSystem& fs, const std::string& path) {
  Cause cause = Cause::Ok;
  const FolderHandle folder = fs.OpenFolder(path, &cause);
  if (!folder.IsOpen()) return cause == Cause::Ok ? Cause::Unspecified : cause;
  std::vector<FileEntry> entries;
  errno = 0;
  if (fs.ListFiles(folder, /*withTimes=*/false, entries)) return Cause::Ok;
  return errno != 0 ? CauseFromErrno(errno) : Cause::Unspecified;
}

}  // namespace kalvenor
