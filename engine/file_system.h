// FileSystem is the program's one door to the operating system: the folder
// a run works in, its scan and renames, the rename log, the folder tree's
// listings, the path tests (stat, realpath, the mount table), the
// environment, the clocks and the time zone, and the leading bytes of
// photos. The engine, the tool and the folder tree are plain logic over this
// interface; PosixFileSystem (posix_file_system.h) is the real thing, and
// FileSystemWrapper forwards every call to another FileSystem so that a test
// overrides just the call it wants to fake or fail.
//
// What the file system opens comes back as an owned handle (FolderHandle,
// LogHandle, ReadHandle) that closes itself through the file system that
// opened it. Names and paths are byte strings, never converted. A call that
// can fail gives what the system said: a std::error_code holding errno
// (generic category), empty on success, so that the caller keeps the
// system's own error however many calls come after (cause.h turns it into
// the user's words). ListSubfolders and ReadAt, whose failures are never
// reported, say only whether they failed.
//
// Threads: every call may run on several threads at once, provided no
// handle is used by two threads at the same time (the window's worker runs
// a rename while the folder tree lists other folders on their own handles).
// A handle may move from one thread to another between calls.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

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

enum class EntryKind { File, Folder, Link, Other };

// What the file system tells of one entry of a held folder (links are not
// followed).
struct EntryStat {
  FileId id;
  EntryKind kind = EntryKind::File;
  std::uint64_t size = 0;
  // An empty file that a rename cut off while it held its target name left
  // behind (see RenameNoReplace): it stands for no file of anyone's.
  bool isLeftoverReservation = false;
};

// What the file system tells of an open log, to judge whether its lines
// can be trusted.
struct LogFileFacts {
  FileId id;
  std::uint32_t owner = 0;   // the owner's user id
  unsigned permissions = 0;  // the permission bits (07777 of the mode)
  // False where the file system keeps no permission bits per file (FAT,
  // exFAT, NTFS through most drivers): every file shows the same bits, set
  // when it was mounted, and they tell nothing about who may write it.
  bool storesModes = true;
};

// What opening a log found.
struct OpenedLog {
  std::string resolvedPath;  // the absolute path of the opened file
  LogFileFacts facts;
  bool pathIsLink = false;  // the path as given names a symbolic link
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens the folder at `path` and holds it; a path longer than the
  // system's limit is opened one folder at a time. An empty handle with
  // `*error` set when it cannot be opened.
  virtual FolderHandle OpenFolder(const std::string& path, std::error_code* error) = 0;

  // Appends to `out` one entry per file of the folder (everything but
  // directories, links to directories and the ".fuse_hidden" files a FUSE
  // file system keeps for files replaced while open), in the order the
  // folder lists them, with name, stem, ext and id filled in (id: the folder's device
  // and the inode the listing gives). `time` is filled in only `withTimes`,
  // since it costs one stat per file; otherwise it is 0. Unless null,
  // `folderNames` gets the names of the subfolders and links to folders the
  // same listing met ("." and ".." not), so that a run reads a large folder
  // once. An error when the folder cannot be read; `out` and `folderNames`
  // may then hold what was read before.
  virtual std::error_code ListFiles(const FolderHandle& folder, bool withTimes,
                                    std::vector<FileEntry>& out,
                                    std::vector<std::string>* folderNames) = 0;

  // Appends to `out` one entry per subfolder of the folder (hidden ones and
  // links to folders included, "." and ".." not), in the order the folder
  // lists them. False when the folder cannot be read.
  virtual bool ListSubfolders(const FolderHandle& folder, std::vector<SubfolderEntry>& out) = 0;

  // Renames `from` to `to` inside the folder. Never replaces an existing
  // entry named `to`: that gives EEXIST, unless the entry is a leftover
  // reservation, which goes first. Both must be plain names (no '/'); the
  // caller checks this.
  //
  // Where the file system offers no rename that refuses to replace (nor
  // hard links whose identities it keeps), the new name is reserved by
  // creating it as an empty file, marked by its modification time, and the
  // file is renamed over that reservation while it is held open. What
  // another program writes into the reservation is never lost: written
  // before the rename's last check, it stays under the name and the rename
  // fails; written later, up to the moment the reservation is let go (at
  // the next rename in the folder, or when the folder is synced or
  // closed), it is kept beside the file as "<to>.rescued". What a program
  // that opened the reservation before the rename writes into it after it
  // was let go is lost: no name holds that file any more, so nobody can
  // see it. A crash can leave the empty reservation behind: EntryStat
  // tells it, RemoveLeftoverReservation removes it.
  virtual std::error_code RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                          const std::string& to) = 0;

  // Removes the entry `name` of the folder, but only while it and `other`
  // are two separate entries naming one file (what a crash between the
  // link and the unlink of a rename leaves), as far as this file system's
  // identities tell. EPERM otherwise, also when `name` and `other` are one
  // entry spelt two ways (a case-insensitive file system).
  virtual std::error_code RemoveSecondName(const FolderHandle& folder, const std::string& name,
                                           const std::string& other) = 0;

  // Removes the entry `name` of the folder if it is a leftover reservation,
  // or with `unmarked`, any empty plain file (the caller knows from the log
  // that a run killed before it could mark its reservation made it):
  // ENOENT when there is none, EPERM when it is anything else.
  virtual std::error_code RemoveLeftoverReservation(const FolderHandle& folder,
                                                    const std::string& name, bool unmarked) = 0;

  // Whether renames in this folder may have gone through reservations (its
  // file system may lack a rename that refuses to replace), so that a
  // crash may have left some there.
  virtual bool MayHoldLeftovers(const FolderHandle& folder) = 0;

  // What the folder's entry `name` is ("." names the folder itself).
  virtual std::error_code StatEntry(const FolderHandle& folder, const std::string& name,
                                    EntryStat* stat) = 0;

  // Makes the folder's entries (its renames) durable on the storage. No
  // error also where the file system cannot sync a folder.
  virtual std::error_code SyncFolder(const FolderHandle& folder) = 0;

  // What stat (or with !followLinks, lstat) tells of `path`.
  virtual std::error_code Stat(const std::string& path, bool followLinks, PathStat* stat) = 0;

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

  // Reads a log to undo from: opens `path` once, without following a link
  // at its end, and gives what that very file holds and, in `*facts`, what
  // it is (so that nobody can swap the file between the test and the
  // read). Refused like ReadFile, and also when `path` is a symbolic link.
  virtual std::optional<std::string> ReadLog(const std::string& path, LogFileFacts* facts,
                                             std::string* error) = 0;

  // Opens the log at `path` for appending, creating it when missing, and
  // takes it exclusively. Gives the open log with `*opened` telling what
  // was opened, or an empty handle with `*error` set when it cannot be
  // opened (missing folder: ENOENT, a folder: EISDIR, no access: EACCES,
  // held by another holder: EBUSY, not a regular file: EINVAL). A
  // log whose last line lacks its line end gets it first, so that the next
  // line starts a line of its own.
  virtual LogHandle OpenLog(const std::string& path, OpenedLog* opened, std::error_code* error) = 0;

  // Whether the entry `name` of the folder is the open log itself: the same
  // identity, or where the folder's file system makes identities up per
  // spelling of a name, the same size and times.
  virtual bool IsOpenLog(const LogHandle& log, const FolderHandle& folder,
                         const std::string& name) = 0;

  // Hands `bytes` to the kernel at the end of the log in one write, with no
  // buffering in between. No error only when every byte was written;
  // otherwise the bytes that did reach the log are taken back out of it.
  virtual std::error_code AppendToLog(const LogHandle& log, std::string_view bytes) = 0;

  // Takes the last `bytes` bytes (lines the caller appended) back out of
  // the log.
  virtual std::error_code TruncateLog(const LogHandle& log, std::uint64_t bytes) = 0;

  // Returns once everything appended to the log is on the storage.
  virtual std::error_code SyncLog(const LogHandle& log) = 0;

  // The current local time.
  virtual std::tm LocalNow() = 0;

  // A clock that only goes forward, for measuring how long calls take.
  virtual std::chrono::steady_clock::time_point SteadyNow() = 0;

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

  FolderHandle OpenFolder(const std::string& path, std::error_code* error) override {
    return m_target.OpenFolder(path, error);
  }
  std::error_code ListFiles(const FolderHandle& folder, bool withTimes, std::vector<FileEntry>& out,
                            std::vector<std::string>* folderNames) override {
    return m_target.ListFiles(folder, withTimes, out, folderNames);
  }
  bool ListSubfolders(const FolderHandle& folder, std::vector<SubfolderEntry>& out) override {
    return m_target.ListSubfolders(folder, out);
  }
  std::error_code RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                  const std::string& to) override {
    return m_target.RenameNoReplace(folder, from, to);
  }
  std::error_code RemoveSecondName(const FolderHandle& folder, const std::string& name,
                                   const std::string& other) override {
    return m_target.RemoveSecondName(folder, name, other);
  }
  std::error_code RemoveLeftoverReservation(const FolderHandle& folder, const std::string& name,
                                            bool unmarked) override {
    return m_target.RemoveLeftoverReservation(folder, name, unmarked);
  }
  bool MayHoldLeftovers(const FolderHandle& folder) override {
    return m_target.MayHoldLeftovers(folder);
  }
  std::error_code StatEntry(const FolderHandle& folder, const std::string& name,
                            EntryStat* stat) override {
    return m_target.StatEntry(folder, name, stat);
  }
  std::error_code SyncFolder(const FolderHandle& folder) override {
    return m_target.SyncFolder(folder);
  }
  std::error_code Stat(const std::string& path, bool followLinks, PathStat* stat) override {
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
  std::optional<std::string> ReadLog(const std::string& path, LogFileFacts* facts,
                                     std::string* error) override {
    return m_target.ReadLog(path, facts, error);
  }
  LogHandle OpenLog(const std::string& path, OpenedLog* opened, std::error_code* error) override {
    return m_target.OpenLog(path, opened, error);
  }
  bool IsOpenLog(const LogHandle& log, const FolderHandle& folder,
                 const std::string& name) override {
    return m_target.IsOpenLog(log, folder, name);
  }
  std::error_code AppendToLog(const LogHandle& log, std::string_view bytes) override {
    return m_target.AppendToLog(log, bytes);
  }
  std::error_code TruncateLog(const LogHandle& log, std::uint64_t bytes) override {
    return m_target.TruncateLog(log, bytes);
  }
  std::error_code SyncLog(const LogHandle& log) override { return m_target.SyncLog(log); }
  std::tm LocalNow() override { return m_target.LocalNow(); }
  std::chrono::steady_clock::time_point SteadyNow() override { return m_target.SteadyNow(); }
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
