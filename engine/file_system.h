// FileSystem is the program's one door to the operating system: the folder
// a run works in, its scan and renames, the rename log, the folder tree's
// listings, the path tests (stat, realpath, the mount table), the
// environment, the clock and the time zone, and the leading bytes of photos. The engine, the tool
// and the folder tree are plain logic over this interface; PosixFileSystem (posix_file_system.h) is
// the real thing, and FileSystemWrapper forwards every call to another
// FileSystem so that a test overrides just the call it wants to fake or fail.
//
// What the file system opens comes back as an owned handle (FolderHandle,
// LogHandle, ReadHandle) that closes itself through the file system that opened it.
// Names and paths are byte strings, never converted.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cause.h"
#include "file_entry.h"

namespace kalvenor {

class FileSystem;

// Something a FileSystem opened: empty (not open) or holding one open
// object, which it gives back to its file system when it goes. Move-only.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  OwnedHandle(FileSystem& fs, int handle) : m_fs(&fs), m_handle(handle) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(OwnedHandle&& other) noexcept;
  OwnedHandle& operator=(OwnedHandle&& other) noexcept;
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  bool IsOpen() const { return m_handle >= 0; }
  // The file system's own number for the object; for FileSystem
  // implementations only.
  int Get() const { return m_handle; }
  // Closes the object now; the handle is empty afterwards.
  void Reset();

 private:
  FileSystem* m_fs = nullptr;
  int m_handle = -1;
};

// A folder held open, so that every call on it acts on this very folder
// even if it is moved or replaced by name meanwhile.
class FolderHandle : public OwnedHandle {
 public:
  using OwnedHandle::OwnedHandle;
};

// A rename log opened for appending and held exclusively.
class LogHandle : public OwnedHandle {
 public:
  using OwnedHandle::OwnedHandle;
};

// A file of a held folder opened for reading (its leading bytes: the
// capture time of a photo).
class ReadHandle : public OwnedHandle {
 public:
  using OwnedHandle::OwnedHandle;
};

// One subfolder as the folder tree lists it.
struct SubfolderEntry {
  std::string name;
  // Whether it may hold subfolders of its own, known without reading it:
  // from the link count where the file system counts subfolders there.
  bool hasSubfolders = true;
};

// What a stat of a path tells.
struct PathStat {
  FileId id;
  bool isDirectory = false;
  bool isRegular = false;    // a plain file (not a link, folder, FIFO or device)
  unsigned permissions = 0;  // the permission bits (07777 of the mode)
  std::uint32_t owner = 0;   // the owner's user id
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens the folder at `path` and holds it. An empty handle with `*cause`
  // set when it cannot be opened.
  virtual FolderHandle OpenFolder(const std::string& path, Cause* cause) = 0;

  // Appends to `out` one entry per file of the folder (everything but
  // directories and links to directories), in the order the folder lists
  // them, with name, stem, ext and id filled in (id: the folder's device
  // and the inode the listing gives). `time` is filled in only `withTimes`,
  // since it costs one stat per file; otherwise it is 0. False when the
  // folder cannot be read; `out` may then hold what was read before.
  virtual bool ListFiles(const FolderHandle& folder, bool withTimes,
                         std::vector<FileEntry>& out) = 0;

  // Appends to `out` one entry per subfolder of the folder (hidden ones and
  // links to folders included, "." and ".." not), in the order the folder
  // lists them. False when the folder cannot be read.
  virtual bool ListSubfolders(const FolderHandle& folder, std::vector<SubfolderEntry>& out) = 0;

  // Renames `from` to `to` inside the folder. Never replaces an existing
  // entry named `to`: that gives AccessDenied. Both must be plain names
  // (no '/'); the caller checks this. Gives Cause::Ok on success.
  virtual Cause RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                const std::string& to) = 0;

  // Removes the entry `name` of the folder, but only while it is one of
  // several names of the file `id` (a file that keeps another name): what
  // a crash between the link and the unlink of a rename leaves. AccessDenied
  // when `name` is another file or the file's only name.
  virtual Cause RemoveSecondName(const FolderHandle& folder, const std::string& name,
                                 const FileId& id) = 0;

  // The device and inode of the entry `name` of the folder (links not
  // followed; "." names the folder itself). Gives Cause::Ok on success.
  virtual Cause Identify(const FolderHandle& folder, const std::string& name, FileId* id) = 0;

  // What stat (or with !followLinks, lstat) tells of `path`.
  virtual Cause Stat(const std::string& path, bool followLinks, PathStat* stat) = 0;

  // The canonical absolute form of `path` (links and ".." resolved), or
  // nullopt when it does not resolve.
  virtual std::optional<std::string> RealPath(const std::string& path) = 0;

  // The process's current working directory as the kernel names it;
  // nullopt when it cannot be told (removed meanwhile).
  virtual std::optional<std::string> WorkingDirectory() = 0;

  // The value of the environment variable `name`; nullopt when unset.
  virtual std::optional<std::string> GetEnv(const char* name) = 0;

  // The text of this process's mount table (/proc/self/mountinfo format);
  // empty when it cannot be read.
  virtual std::string ReadMountTable() = 0;

  // The whole content of the regular file at `path`. Without blocking on a
  // FIFO or device: anything but a regular file is refused. On failure
  // nullopt, with `*error` saying why in a few words.
  virtual std::optional<std::string> ReadFile(const std::string& path, std::string* error) = 0;

  // Opens the log at `path` for appending, creating it when missing, and
  // takes it exclusively. Gives the open log with `*resolvedPath` set to
  // the absolute path of the opened file and `*id` to its identity, or an
  // empty handle when it cannot be opened (missing folder, a folder, no
  // access, held by another holder, not a regular file). A log whose last
  // line lacks its line end gets it first, so that the next line starts a
  // line of its own.
  virtual LogHandle OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) = 0;

  // Hands `bytes` to the kernel at the end of the log in one write, with no
  // buffering in between. Gives Cause::Ok only when every byte was written;
  // otherwise the bytes that did reach the log are taken back out of it.
  virtual Cause AppendToLog(const LogHandle& log, std::string_view bytes) = 0;

  // The current local time.
  virtual std::tm LocalNow() = 0;

  // The user id this process acts as (for files it trusts).
  virtual std::uint32_t UserId() = 0;

  // Reading the files of a held folder, for the capture times of photos.
  // The calls may come from several threads at once, each on its own
  // handle.

  // Opens the file `name` of the held folder for reading, following a
  // symbolic link, and sets `*size` to its length in bytes. Only a regular
  // file opens; anything else (a FIFO, a device, a folder) is refused
  // without waiting. An empty handle when it cannot be opened.
  virtual ReadHandle OpenForReading(const FolderHandle& folder, const std::string& name,
                                    std::uint64_t* size) = 0;

  // Replaces `out` with up to `length` bytes of the file from `offset` on:
  // fewer only where the file ends. False on a read error (`out` then holds
  // what was read before it).
  virtual bool ReadAt(const ReadHandle& file, std::uint64_t offset, std::size_t length,
                      std::string& out) = 0;

  // The write time of the entry `name` of the held folder, as ListFiles
  // gives it with times (links not followed); nullopt when it cannot be
  // told (gone meanwhile). For the few files whose capture time is missing.
  virtual std::optional<FileTime> WriteTime(const FolderHandle& folder,
                                            const std::string& name) = 0;

  // The computer's offset from UTC, in seconds east, at the moment
  // `unixSeconds` (seconds since 1970-01-01 UTC): what turns a UTC time
  // into the local time a file manager shows.
  virtual std::int64_t UtcOffsetAt(std::int64_t unixSeconds) = 0;

 protected:
  friend class OwnedHandle;
  // Gives back an object this file system opened (a folder or a log).
  virtual void Close(int handle) = 0;
};

// Forwards every call to `target`, which it does not own. Handles come
// from, and go back to, the target.
class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem& target) : m_target(target) {}

  FolderHandle OpenFolder(const std::string& path, Cause* cause) override {
    return m_target.OpenFolder(path, cause);
  }
  bool ListFiles(const FolderHandle& folder, bool withTimes, std::vector<FileEntry>& out) override {
    return m_target.ListFiles(folder, withTimes, out);
  }
  bool ListSubfolders(const FolderHandle& folder, std::vector<SubfolderEntry>& out) override {
    return m_target.ListSubfolders(folder, out);
  }
  Cause RenameNoReplace(const FolderHandle& folder, const std::string& from,
                        const std::string& to) override {
    return m_target.RenameNoReplace(folder, from, to);
  }
  Cause RemoveSecondName(const FolderHandle& folder, const std::string& name,
                         const FileId& id) override {
    return m_target.RemoveSecondName(folder, name, id);
  }
  Cause Identify(const FolderHandle& folder, const std::string& name, FileId* id) override {
    return m_target.Identify(folder, name, id);
  }
  Cause Stat(const std::string& path, bool followLinks, PathStat* stat) override {
    return m_target.Stat(path, followLinks, stat);
  }
  std::optional<std::string> RealPath(const std::string& path) override {
    return m_target.RealPath(path);
  }
  std::optional<std::string> WorkingDirectory() override { return m_target.WorkingDirectory(); }
  std::optional<std::string> GetEnv(const char* name) override { return m_target.GetEnv(name); }
  std::string ReadMountTable() override { return m_target.ReadMountTable(); }
  std::optional<std::string> ReadFile(const std::string& path, std::string* error) override {
    return m_target.ReadFile(path, error);
  }
  LogHandle OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) override {
    return m_target.OpenLog(path, resolvedPath, id);
  }
  Cause AppendToLog(const LogHandle& log, std::string_view bytes) override {
    return m_target.AppendToLog(log, bytes);
  }
  std::tm LocalNow() override { return m_target.LocalNow(); }
  std::uint32_t UserId() override { return m_target.UserId(); }
  ReadHandle OpenForReading(const FolderHandle& folder, const std::string& name,
                            std::uint64_t* size) override {
    return m_target.OpenForReading(folder, name, size);
  }
  bool ReadAt(const ReadHandle& file, std::uint64_t offset, std::size_t length,
              std::string& out) override {
    return m_target.ReadAt(file, offset, length, out);
  }
  std::optional<FileTime> WriteTime(const FolderHandle& folder, const std::string& name) override {
    return m_target.WriteTime(folder, name);
  }
  std::int64_t UtcOffsetAt(std::int64_t unixSeconds) override {
    return m_target.UtcOffsetAt(unixSeconds);
  }

 protected:
  // Never called: every handle belongs to the target.
  void Close(int /*handle*/) override {}

 private:
  FileSystem& m_target;
};

}  // namespace kalvenor
