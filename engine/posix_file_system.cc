// The real file system: one held directory descriptor per folder, renames
// that never replace, and an exclusively locked, unbuffered log.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "file_name.h"
#include "file_system.h"
#include "no_replace_rename.h"

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

bool HasZeroHalf(FileTime t) {
  return (t & 0xFFFFFFFFu) == 0 || (t >> 32) == 0;
}

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

}  // namespace

int PosixFileSystem::OpenFolder(const std::string& path, Cause* cause) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) *cause = CauseFromErrno(errno);
  else *cause = Cause::Ok;
  return fd;
}

void PosixFileSystem::CloseFolder(int folder) { ::close(folder); }

bool PosixFileSystem::ListFiles(int folder, bool withTimes, std::vector<FileEntry>& out) {
  struct stat self {};
  if (::fstat(folder, &self) != 0) return false;
  // readdir needs a descriptor of its own; the held one keeps its offset.
  const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    ::close(fd);
    return false;
  }
  bool ok = true;
  for (;;) {
    errno = 0;
    const dirent* d = ::readdir(dir);
    if (d == nullptr) {
      ok = errno == 0;
      break;
    }
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
  ::closedir(dir);
  return ok;
}

Cause PosixFileSystem::RenameNoReplace(int folder, const std::string& from,
                                       const std::string& to) {
  return RenameWithoutReplacing(SystemRenameSyscalls(), folder, from.c_str(), to.c_str());
}

Cause PosixFileSystem::Identify(int folder, const std::string& name, FileId* id) {
  struct stat st {};
  if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return CauseFromErrno(errno);
  *id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  return Cause::Ok;
}

int PosixFileSystem::OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) {
  if (path.empty()) return -1;
  // Without O_NONBLOCK, opening a FIFO would wait for a reader forever; it
  // is refused below like every other file that is not a regular one. Read
  // access is asked for only to look at the log's last byte.
  constexpr int kFlags = O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK;
  int fd = ::open(path.c_str(), O_RDWR | kFlags, 0644);
  const bool readable = fd >= 0;
  if (!readable && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | kFlags, 0644);
  if (fd < 0) return -1;
  struct stat st {};
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      ::fcntl(fd, F_SETFL, O_APPEND) != 0) {
    ::close(fd);
    return -1;
  }
  // A log whose last line was cut off (the machine went down while it was
  // written) gets that line's end first, so that the next header stands on
  // a line of its own and a reader of the log still finds it.
  char last = '\n';
  if (readable && st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n' &&
      AppendToLog(fd, "\n") != Cause::Ok) {
    ::close(fd);
    return -1;
  }
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved != nullptr) {
    *resolvedPath = resolved;
    std::free(resolved);
  } else {
    *resolvedPath = path;
  }
  *id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  return fd;
}

Cause PosixFileSystem::AppendToLog(int log, std::string_view bytes) {
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

void PosixFileSystem::CloseLog(int log) { ::close(log); }

std::tm PosixFileSystem::LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  ::localtime_r(&now, &local);
  return local;
}

}  // namespace kalvenor
