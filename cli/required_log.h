// The tool keeps its record of a batch only in the log, so a commit run that
// was given a log must not rename anything unlogged. The engine goes on
// without the log when it cannot open it (the desktop program's rule); the
// tool's check beforehand cannot rule out another holder taking the log in
// between. RequiredLog closes that gap: after a failed open of the log it
// makes the folder read as unreadable, so the run that follows in the
// engine (open the log, then list the folder) renames nothing.
// It forwards every call to a FileSystem that it does not own.
#pragma once

#include <string>
#include <vector>

#include "file_system.h"

namespace kalvenor {

class RequiredLog : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  int OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) override;
  bool ListFiles(int folder, bool withTimes, std::vector<FileEntry>& out) override;

  // Whether an open of the log failed, so that the run renamed nothing.
  bool LogRefused() const { return refused_; }

 private:
  bool refused_ = false;
};

}  // namespace kalvenor
