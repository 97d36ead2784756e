// The real file system of this machine: one held directory descriptor per
// open folder, renames that never replace an existing entry on any file
// system (posix_rename.cc), and an exclusively locked, unbuffered log that
// can be synced and cut back. Calls on different handles (and calls that
// take no handle) may come from different threads at once: the only state
// shared between handles, what renames learnt per folder, is guarded.
#pragma once

#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "cause.h"
#include "file_system.h"

namespace kalvenor {

// errno as a call's result; read right after the call that set it.
inline std::error_code LastError() { return ErrorFromErrno(errno); }

class PosixFileSystem : public FileSystem {
 public:
  FolderHandle OpenFolder(const std::string& path, std::error_code* error) override;
  std::error_code ListFiles(const FolderHandle& folder, bool withTimes, std::vector<FileEntry>& out,
                            std::vector<std::string>* folderNames) override;
  bool ListSubfolders(const FolderHandle& folder, std::vector<SubfolderEntry>& out) override;
  std::error_code RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                  const std::string& to) override;
  std::error_code RemoveSecondName(const FolderHandle& folder, const std::string& name,
                                   const std::string& other) override;
  std::error_code RemoveLeftoverReservation(const FolderHandle& folder, const std::string& name,
                                            bool unmarked) override;
  bool MayHoldLeftovers(const FolderHandle& folder) override;
  std::error_code StatEntry(const FolderHandle& folder, const std::string& name,
                            EntryStat* stat) override;
  std::error_code SyncFolder(const FolderHandle& folder) override;
  std::error_code Stat(const std::string& path, bool followLinks, PathStat* stat) override;
  std::optional<std::string> RealPath(const std::string& path) override;
  std::optional<std::string> WorkingDirectory() override;
  std::optional<std::string> GetEnv(const char* name) override;
  std::string ReadMountTable() override;
  std::optional<std::string> ReadFile(const std::string& path, std::string* error) override;
  std::optional<std::string> ReadLog(const std::string& path, LogFileFacts* facts,
                                     std::string* error) override;
  LogHandle OpenLog(const std::string& path, OpenedLog* opened, std::error_code* error) override;
  bool IsOpenLog(const LogHandle& log, const FolderHandle& folder,
                 const std::string& name) override;
  std::error_code AppendToLog(const LogHandle& log, std::string_view bytes) override;
  std::error_code TruncateLog(const LogHandle& log, std::uint64_t bytes) override;
  std::error_code SyncLog(const LogHandle& log) override;
  std::tm LocalNow() override;
  std::chrono::steady_clock::time_point SteadyNow() override;
  std::uint32_t UserId() override;
  ReadHandle OpenForReading(const FolderHandle& folder, const std::string& name,
                            std::uint64_t* size) override;
  bool ReadAt(const ReadHandle& file, std::uint64_t offset, std::size_t length,
              std::string& out) override;
  std::optional<FileTime> WriteTime(const FolderHandle& folder, const std::string& name) override;
  std::int64_t UtcOffsetAt(std::int64_t unixSeconds) override;

 protected:
  void Close(int handle) override;

  // The system calls a rename is made of, one each, so that a test can
  // stand in for a file system that refuses some, or for another program
  // acting between two of them. Each returns like the call it names (-1
  // with errno set on failure); names are relative to the folder `dir`.
  // renameat2 with RENAME_NOREPLACE:
  virtual int RenameExclusiveAt(int dir, const char* from, const char* to);
  virtual int LinkAt(int dir, const char* from, const char* to);
  virtual int UnlinkAt(int dir, const char* name);
  // Creates `name` as a new empty file, readable and writable, failing on
  // any existing entry of that name; gives its descriptor.
  virtual int CreateExclusiveAt(int dir, const char* name);
  // renameat, which replaces an existing `to`:
  virtual int RenameAt(int dir, const char* from, const char* to);
  // Whether the folder's inode numbers are the file system's own (stable,
  // and shared by every name of one file) rather than made up per path, as
  // FUSE file systems without numbers of their own do.
  virtual bool KeepsIdentities(int dir);
  // pread, through which a replaced reservation is read back:
  virtual ssize_t ReadAt(int fd, char* buffer, std::size_t size, off_t at);

 private:
  // A reservation the last rename replaced, still held open (see
  // RenameOverReservation).
  struct HeldReservation {
    int fd;
    std::string name;
    ino_t inode;  // as the folder showed it before the rename
  };

  // What one folder's file system was found to offer, learnt once per
  // folder rather than tried again for every file, and the reservation its
  // last rename replaced.
  struct RenameWays {
    bool noReplaceFlagRefused = false;
    bool hardLinksRefused = false;
    // Whether inode numbers there name files (stable, and shared by every
    // name of one file); nullopt until asked.
    std::optional<bool> identitiesTrusted;
    std::optional<HeldReservation> held;
  };

  // The entry of `handle` in m_ways, made when missing. It stays where it
  // is until the handle is closed, so the caller may use it after the lock
  // is gone.
  RenameWays* WaysOf(int handle);
  bool IdentitiesTrusted(int dir, RenameWays& ways);
  // The rename without its retry over a leftover reservation: 0 or errno.
  int RenameOnce(int dir, RenameWays& ways, const char* from, const char* to);
  int RenameOverReservation(int dir, RenameWays& ways, const char* from, const char* to);
  // Lets the held reservation go; what was written into it is kept beside
  // the file that replaced it, as "<name>.rescued" (Rescue).
  void LetGo(int dir, RenameWays& ways);
  void Rescue(int dir, const HeldReservation& held);
  // Copies what `from` holds into a new file `name` (or, where that is
  // taken, "<name>-2" and on); nothing when `from` is empty. False when
  // `from` cannot be read.
  bool SaveCopy(int dir, int from, const std::string& name);

  // m_waysMutex guards the map, not the entries.
  std::mutex m_waysMutex;
  std::unordered_map<int, RenameWays> m_ways;
};

}  // namespace kalvenor
