#include "posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "file_name.h"
#include "no_replace_rename.h"
#include "run_texts.h"

namespace kalvenor {
namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;

// Seconds and nanoseconds since 1970 as a file time (100 ns since 1601);
// 0 for times before 1601.
FileTime ToFileTime(std::int64_t sec, std::int64_t nsec) {
  const std::int64_t since1601 = sec + kSecondsFrom1601To1970;
  if (since1601 < 0) return 0;
  return static_cast<FileTime>(since1601) * 10000000u + static_cast<FileTime>(nsec / 100);
}

bool HasZeroHalf(FileTime t) { return (t & 0xFFFFFFFFu) == 0 || (t >> 32) == 0; }

// The last-write time, or when one of its halves is zero the birth time,
// or when the file system keeps none the status-change time.
FileTime EntryTime(int dir, const char* name, const struct stat& st) {
  FileTime t = ToFileTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  if (!HasZeroHalf(t)) return t;
  struct statx sx {};
  if (::statx(dir, name, AT_SYMLINK_NOFOLLOW, STATX_BTIME, &sx) == 0 &&
      (sx.stx_mask & STATX_BTIME) != 0) {
    return ToFileTime(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
  }
  return ToFileTime(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
}

// A listing of a held folder through a descriptor of its own (the held one
// keeps its offset), closed when the listing goes.
class Listing {
 public:
  explicit Listing(int folder) {
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    m_dir = ::fdopendir(fd);
    if (m_dir == nullptr) ::close(fd);
  }
  ~Listing() {
    if (m_dir != nullptr) ::closedir(m_dir);
  }
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  bool IsOpen() const { return m_dir != nullptr; }
  // The next entry, or nullptr at the end (Failed() tells an error apart).
  const dirent* Next() {
    errno = 0;
    const dirent* entry = ::readdir(m_dir);
    m_failed = entry == nullptr && errno != 0;
    return entry;
  }
  bool Failed() const { return m_failed; }

 private:
  DIR* m_dir = nullptr;
  bool m_failed = false;
};

// Reads `fd` to its end into `text`; false with errno set on a read error.
bool ReadToEnd(int fd, std::string& text) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

FolderHandle PosixFileSystem::OpenFolder(const std::string& path, Cause* cause) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  *cause = fd < 0 ? CauseFromErrno(errno) : Cause::Ok;
  return fd < 0 ? FolderHandle() : FolderHandle(*this, fd);
}

void PosixFileSystem::Close(int handle) {
  {
    const std::lock_guard lock(m_refusedMutex);
    m_refusedRenameCalls.erase(handle);
  }
  ::close(handle);
}

RefusedRenameCalls* PosixFileSystem::RefusedCallsOf(int handle) {
  const std::lock_guard lock(m_refusedMutex);
  return &m_refusedRenameCalls[handle];
}

bool PosixFileSystem::ListFiles(const FolderHandle& held, bool withTimes,
                                std::vector<FileEntry>& out) {
  const int folder = held.Get();
  struct stat self {};
  if (!held.IsOpen() || ::fstat(folder, &self) != 0) return false;
  Listing listing(folder);
  if (!listing.IsOpen()) return false;
  while (const dirent* d = listing.Next()) {
    // The listing's type settles most entries; a stat is needed only for
    // the time, for links (which may point at a folder), and where the file
    // system gives no type.
    unsigned char type = d->d_type;
    if (type == DT_DIR) continue;  // also "." and ".."
    struct stat st {};
    const bool needStat = withTimes || type == DT_UNKNOWN;
    if (needStat) {
      if (::fstatat(folder, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile
      if (S_ISDIR(st.st_mode)) continue;
      if (S_ISLNK(st.st_mode)) type = DT_LNK;
    }
    if (type == DT_LNK) {
      struct stat target {};
      if (::fstatat(folder, d->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode)) continue;
    }
    FileEntry entry;
    entry.name = d->d_name;
    NameParts parts = SplitFileName(entry.name);
    entry.stem = std::move(parts.stem);
    entry.ext = std::move(parts.ext);
    if (withTimes) entry.time = EntryTime(folder, d->d_name, st);
    entry.id = {static_cast<std::uint64_t>(self.st_dev), static_cast<std::uint64_t>(d->d_ino)};
    out.push_back(std::move(entry));
  }
  return !listing.Failed();
}

bool PosixFileSystem::ListSubfolders(const FolderHandle& held, std::vector<SubfolderEntry>& out) {
  if (!held.IsOpen()) return false;
  Listing listing(held.Get());
  if (!listing.IsOpen()) return false;
  while (const dirent* entry = listing.Next()) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    // Only directories, links (which may point at one) and entries of
    // unknown kind need a look; the look also tells the link count.
    if (entry->d_type != DT_DIR && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) {
      continue;
    }
    struct stat st {};
    if (::fstatat(held.Get(), entry->d_name, &st, 0) != 0 || !S_ISDIR(st.st_mode)) continue;
    // Where the file system counts subdirectories in the link count, 2 means
    // none; where it does not (a count below 2), assume some.
    out.push_back({std::string(name), st.st_nlink != 2});
  }
  // A listing that broke off still shows the folders it found.
  return true;
}

Cause PosixFileSystem::RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                       const std::string& to) {
  return RenameWithoutReplacing(SystemRenameSyscalls(), folder.Get(), from.c_str(), to.c_str(),
                                RefusedCallsOf(folder.Get()));
}

Cause PosixFileSystem::RemoveSecondName(const FolderHandle& folder, const std::string& name,
                                        const FileId& id) {
  struct stat st {};
  if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
    return CauseFromErrno(errno);
  const FileId here{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  if (!(here == id) || st.st_nlink < 2 || S_ISDIR(st.st_mode)) return Cause::AccessDenied;
  return ::unlinkat(folder.Get(), name.c_str(), 0) == 0 ? Cause::Ok : CauseFromErrno(errno);
}

Cause PosixFileSystem::Identify(const FolderHandle& folder, const std::string& name, FileId* id) {
  struct stat st {};
  if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
    return CauseFromErrno(errno);
  }
  *id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  return Cause::Ok;
}

Cause PosixFileSystem::Stat(const std::string& path, bool followLinks, PathStat* result) {
  struct stat st {};
  if ((followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0) {
    return CauseFromErrno(errno);
  }
  result->id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  result->isDirectory = S_ISDIR(st.st_mode);
  result->isRegular = S_ISREG(st.st_mode);
  result->permissions = st.st_mode & 07777;
  result->owner = st.st_uid;
  return Cause::Ok;
}

std::uint32_t PosixFileSystem::UserId() { return ::geteuid(); }

std::optional<std::string> PosixFileSystem::RealPath(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return std::nullopt;
  std::string result(resolved);
  std::free(resolved);
  return result;
}

std::optional<std::string> PosixFileSystem::WorkingDirectory() {
  char* path = ::getcwd(nullptr, 0);
  if (path == nullptr) return std::nullopt;
  std::string result(path);
  std::free(path);
  return result;
}

std::optional<std::string> PosixFileSystem::GetEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::string PosixFileSystem::ReadMountTable() {
  std::string text;
  const int fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  if (!ReadToEnd(fd, text)) text.clear();
  ::close(fd);
  return text;
}

std::optional<std::string> PosixFileSystem::ReadFile(const std::string& path, std::string* error) {
  // O_NONBLOCK: a FIFO must not make the caller wait for a writer; it is
  // refused below with everything else that is not a regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    *error = std::strerror(errno);
    return std::nullopt;
  }
  struct stat info {};
  std::string text;
  std::optional<std::string> result;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    *error = FormatRunText(RunText::NotRegularFile);
  } else if (!ReadToEnd(fd, text)) {
    *error = std::strerror(errno);
  } else {
    result = std::move(text);
  }
  ::close(fd);
  return result;
}

LogHandle PosixFileSystem::OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) {
  if (path.empty()) return {};
  // Without O_NONBLOCK, opening a FIFO would wait for a reader forever; it
  // is refused below like every other file that is not a regular one. Read
  // access is asked for only to look at the log's last byte.
  constexpr int kFlags = O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK;
  int fd = ::open(path.c_str(), O_RDWR | kFlags, 0644);
  const bool readable = fd >= 0;
  if (!readable && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | kFlags, 0644);
  if (fd < 0) return {};
  LogHandle log(*this, fd);
  struct stat st {};
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      ::fcntl(fd, F_SETFL, O_APPEND) != 0) {
    return {};
  }
  // A log whose last line was cut off (the machine went down while it was
  // written) gets that line's end first, so that the next header stands on
  // a line of its own and a reader of the log still finds it.
  char last = '\n';
  if (readable && st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n' &&
      AppendToLog(log, "\n") != Cause::Ok) {
    return {};
  }
  *resolvedPath = RealPath(path).value_or(path);
  *id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  return log;
}

Cause PosixFileSystem::AppendToLog(const LogHandle& held, std::string_view bytes) {
  const int log = held.Get();
  // One write(2) per line is the rule; a short write (disk nearly full) is
  // finished by further writes rather than left half done.
  std::size_t written = 0;
  Cause cause = Cause::Ok;
  while (written < bytes.size()) {
    const ssize_t n = ::write(log, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      cause = CauseFromErrno(errno);
      break;
    }
    if (n == 0) {
      cause = Cause::Unspecified;
      break;
    }
    written += static_cast<std::size_t>(n);
  }
  // A line that could not be finished is taken back, so that the next line
  // written to this log (by a later run) does not run on from a cut-off one.
  if (cause != Cause::Ok && written > 0) {
    const off_t end = ::lseek(log, 0, SEEK_CUR);
    if (end >= static_cast<off_t>(written)) {
      (void)::ftruncate(log, end - static_cast<off_t>(written));
    }
  }
  return cause;
}

std::tm PosixFileSystem::LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local;
}

ReadHandle PosixFileSystem::OpenForReading(const FolderHandle& folder, const std::string& name,
                                           std::uint64_t* size) {
  // Opening a device can act on it (a tape rewinds): only what is a
  // regular file now is opened at all. O_NONBLOCK: should a FIFO take its
  // place meanwhile, opening it must not wait for a writer; it is refused
  // below with everything else that is not a regular file.
  struct stat before {};
  if (::fstatat(folder.Get(), name.c_str(), &before, 0) != 0 || !S_ISREG(before.st_mode)) return {};
  const int fd = ::openat(folder.Get(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return {};
  ReadHandle file(*this, fd);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return {};
  *size = static_cast<std::uint64_t>(st.st_size);
  return file;
}

bool PosixFileSystem::ReadAt(const ReadHandle& file, std::uint64_t offset, std::size_t length,
                             std::string& out) {
  out.resize(length);
  std::size_t got = 0;
  bool ok = true;
  while (got < length) {
    const ssize_t n =
        ::pread(file.Get(), out.data() + got, length - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  out.resize(got);
  return ok;
}

std::int64_t PosixFileSystem::UtcOffsetAt(std::int64_t unixSeconds) {
  const auto when = static_cast<std::time_t>(unixSeconds);
  std::tm local{};
  if (::localtime_r(&when, &local) == nullptr) return 0;
  return local.tm_gmtoff;
}

}  // namespace kalvenor
