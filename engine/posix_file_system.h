// The real file system of this machine: one held directory descriptor per
// open folder, renames that never replace an existing entry, and an
// exclusively locked, unbuffered log. Calls on different handles (and calls
// that take no handle) may come from different threads at once: the only
// state shared between handles, what renames learnt per folder, is guarded.
#pragma once

#include <mutex>
#include <unordered_map>

#include "file_system.h"
#include "no_replace_rename.h"

namespace kalvenor {

class PosixFileSystem : public FileSystem {
 public:
  FolderHandle OpenFolder(const std::string& path, Cause* cause) override;
  bool ListFiles(const FolderHandle& folder, bool withTimes, std::vector<FileEntry>& out) override;
  bool ListSubfolders(const FolderHandle& folder, std::vector<SubfolderEntry>& out) override;
  Cause RenameNoReplace(const FolderHandle& folder, const std::string& from,
                        const std::string& to) override;
  Cause RemoveSecondName(const FolderHandle& folder, const std::string& name,
                         const FileId& id) override;
  Cause Identify(const FolderHandle& folder, const std::string& name, FileId* id) override;
  Cause Stat(const std::string& path, bool followLinks, PathStat* stat) override;
  std::optional<std::string> RealPath(const std::string& path) override;
  std::optional<std::string> WorkingDirectory() override;
  std::optional<std::string> GetEnv(const char* name) override;
  std::string ReadMountTable() override;
  std::optional<std::string> ReadFile(const std::string& path, std::string* error) override;
  LogHandle OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) override;
  Cause AppendToLog(const LogHandle& log, std::string_view bytes) override;
  std::tm LocalNow() override;
  std::uint32_t UserId() override;
  ReadHandle OpenForReading(const FolderHandle& folder, const std::string& name,
                            std::uint64_t* size) override;
  bool ReadAt(const ReadHandle& file, std::uint64_t offset, std::size_t length,
              std::string& out) override;
  std::optional<FileTime> WriteTime(const FolderHandle& folder, const std::string& name) override;
  std::int64_t UtcOffsetAt(std::int64_t unixSeconds) override;

 protected:
  void Close(int handle) override;

 private:
  // The entry of `handle` in m_refusedRenameCalls, made when missing. It
  // stays where it is until the handle is closed, so the caller may use it
  // after the lock is gone.
  RefusedRenameCalls* RefusedCallsOf(int handle);

  // What each open folder's file system refused so far, by its handle;
  // m_refusedMutex guards the map, not the entries.
  std::mutex m_refusedMutex;
  std::unordered_map<int, RefusedRenameCalls> m_refusedRenameCalls;
};

}  // namespace kalvenor
