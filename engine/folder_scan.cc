#include "folder_scan.h"

#include <cerrno>

namespace kalvenor {

std::vector<FileEntry> ScanFolder(FileSystem& fs, const FolderHandle& folder, bool withTimes) {
  std::vector<FileEntry> entries;
  if (folder.IsOpen() && !fs.ListFiles(folder, withTimes, entries)) entries.clear();
  return entries;
}

bool ScanKeptNames(FileSystem& fs, const FolderHandle& folder, std::vector<std::string>& names) {
  std::vector<SubfolderEntry> subfolders;
  if (!folder.IsOpen() || !fs.ListSubfolders(folder, subfolders)) return false;
  for (SubfolderEntry& subfolder : subfolders) names.push_back(std::move(subfolder.name));
  return true;
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
