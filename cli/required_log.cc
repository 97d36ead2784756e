#include "required_log.h"

namespace kalvenor {

int RequiredLog::OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) {
  const int log = FileSystemWrapper::OpenLog(path, resolvedPath, id);
  if (log < 0) refused_ = true;
  return log;
}

bool RequiredLog::ListFiles(int folder, bool withTimes, std::vector<FileEntry>& out) {
  if (refused_) return false;
  return FileSystemWrapper::ListFiles(folder, withTimes, out);
}

}  // namespace kalvenor
