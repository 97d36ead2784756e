#include "folder_scan.h"

#include <cerrno>

namespace kalvenor {

std::vector<FileEntry> ScanFolder(FileSystem& fs, const FolderHandle& folder, bool withTimes) {
  std::vector<FileEntry> entries;
  if (!folder.IsOpen()) return entries;
  if (const std::error_code error = fs.ListFiles(folder, withTimes, entries)) entries.clear();
  return entries;
}

bool ScanKeptNames(FileSystem& fs, const FolderHandle& folder, std::vector<std::string>& names) {
  std::vector<SubfolderEntry> subfolders;
  if (!folder.IsOpen() || !fs.ListSubfolders(folder, subfolders)) return false;
  for (SubfolderEntry& subfolder : subfolders) names.push_back(std::move(subfolder.name));
  return true;
}

Failure ProbeFolder(FileSystem& fs, const std::string& path) {
  std::error_code error;
  const FolderHandle folder = fs.OpenFolder(path, &error);
  if (!folder.IsOpen()) return {error ? error : ErrorFromErrno(EBADF), path};
  std::vector<FileEntry> entries;
  return {fs.ListFiles(folder, /*withTimes=*/false, entries), path};
}

}  // namespace kalvenor
