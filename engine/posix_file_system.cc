#include "posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <linux/magic.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "file_name.h"
#include "run_texts.h"

namespace kalvenor {
namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::string_view kFuseHidden = ".fuse_hidden";
// A folder a run numbers holds fewer files than this.
constexpr std::size_t kEntriesReservedAtMost = 16384;

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
    if (fd < 0) {
      m_error = errno;
      return;
    }
    m_dir = ::fdopendir(fd);
    if (m_dir == nullptr) {
      m_error = errno;
      ::close(fd);
    }
  }
  ~Listing() {
    if (m_dir != nullptr) ::closedir(m_dir);
  }
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  bool IsOpen() const { return m_dir != nullptr; }
  // The next entry, or nullptr at the end (Error() tells an error apart).
  const dirent* Next() {
    errno = 0;
    const dirent* entry = ::readdir(m_dir);
    if (entry == nullptr) m_error = errno;
    return entry;
  }
  bool Failed() const { return m_error != 0; }
  // Why the listing could not be opened or read on; empty when it could.
  std::error_code Error() const { return ErrorFromErrno(m_error); }

 private:
  DIR* m_dir = nullptr;
  int m_error = 0;
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

// Opens the folder at `path`, one folder at a time when the path is too
// long for the kernel to take whole: -1 with errno set on failure.
int OpenFolderPath(const std::string& path) {
  constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  if (path.size() < PATH_MAX) return ::open(path.c_str(), kFlags);
  int dir = ::open(path.starts_with('/') ? "/" : ".", kFlags);
  for (std::size_t start = 0; dir >= 0 && start < path.size();) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      const int next = ::openat(dir, path.substr(start, end - start).c_str(), kFlags);
      const int error = errno;
      ::close(dir);
      dir = next;
      errno = error;
    }
    start = end + 1;
  }
  return dir;
}

// Whether the file system of `fd` keeps permission bits per file. FAT,
// exFAT and NTFS keep none; through FUSE their drivers show every file
// with all bits set.
bool StoresModes(int fd, const struct stat& st) {
  constexpr unsigned long kNtfs3Magic = 0x7366746e;
  constexpr unsigned long kNtfsMagic = 0x5346544e;
  struct statfs info {};
  if (::fstatfs(fd, &info) != 0) return true;
  switch (static_cast<unsigned long>(info.f_type)) {
    case MSDOS_SUPER_MAGIC:
    case EXFAT_SUPER_MAGIC:
    case kNtfsMagic:
    case kNtfs3Magic: return false;
    case FUSE_SUPER_MAGIC: return (st.st_mode & 0777) != 0777;
    default: return true;
  }
}

LogFileFacts FactsOf(int fd, const struct stat& st) {
  LogFileFacts facts;
  facts.id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  facts.owner = st.st_uid;
  facts.permissions = st.st_mode & 07777;
  facts.storesModes = StoresModes(fd, st);
  return facts;
}

// The whole content of the regular file at `path`, opened once with
// `extraFlags` and without blocking on a FIFO; `facts` (when given) tells
// what that descriptor is.
std::optional<std::string> ReadRegularFile(const std::string& path, int extraFlags,
                                           LogFileFacts* facts, std::string* error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | extraFlags);
  if (fd < 0) {
    *error = errno == ELOOP && (extraFlags & O_NOFOLLOW) != 0 ? "it is a symbolic link"
                                                              : std::strerror(errno);
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
    if (facts != nullptr) *facts = FactsOf(fd, info);
    result = std::move(text);
  }
  ::close(fd);
  return result;
}

}  // namespace

FolderHandle PosixFileSystem::OpenFolder(const std::string& path, std::error_code* error) {
  const int fd = OpenFolderPath(path);
  *error = fd < 0 ? LastError() : std::error_code();
  return fd < 0 ? FolderHandle() : FolderHandle(*this, fd);
}

void PosixFileSystem::Close(int handle) {
  RenameWays ways;
  {
    const std::lock_guard lock(m_waysMutex);
    const auto found = m_ways.find(handle);
    if (found != m_ways.end()) {
      ways = std::move(found->second);
      m_ways.erase(found);
    }
  }
  LetGo(handle, ways);
  ::close(handle);
}

std::error_code PosixFileSystem::ListFiles(const FolderHandle& held, bool withTimes,
                                           std::vector<FileEntry>& out,
                                           std::vector<std::string>* folderNames) {
  const int folder = held.Get();
  if (!held.IsOpen()) return ErrorFromErrno(EBADF);
  struct stat self {};
  if (::fstat(folder, &self) != 0) return LastError();
  Listing listing(folder);
  if (!listing.IsOpen()) return listing.Error();
  // Room for the entries the folder's size in bytes suggests (20 to 30
  // bytes an entry on the usual file systems), so that a large folder is
  // not copied into ever larger blocks as it is read; bounded, since some
  // file systems give a size that says little.
  out.reserve(out.size() + std::min(static_cast<std::size_t>(std::max<off_t>(self.st_size, 0)) / 20,
                                    kEntriesReservedAtMost));
  const auto keepFolderName = [folderNames](std::string_view name) {
    if (folderNames != nullptr && name != "." && name != "..") folderNames->emplace_back(name);
  };
  while (const dirent* d = listing.Next()) {
    // The listing's type settles most entries; a stat is needed only for
    // the time, for links (which may point at a folder), and where the file
    // system gives no type.
    unsigned char type = d->d_type;
    if (type == DT_DIR) {
      keepFolderName(d->d_name);
      continue;
    }
    // Where a FUSE file system hides a file replaced while it was open (a
    // held reservation): no file of anyone's, and it goes when closed.
    if (std::string_view(d->d_name).starts_with(kFuseHidden)) continue;
    struct stat st {};
    const bool needStat = withTimes || type == DT_UNKNOWN;
    if (needStat) {
      if (::fstatat(folder, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile
      if (S_ISDIR(st.st_mode)) {
        keepFolderName(d->d_name);
        continue;
      }
      if (S_ISLNK(st.st_mode)) type = DT_LNK;
    }
    if (type == DT_LNK) {
      struct stat target {};
      if (::fstatat(folder, d->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode)) {
        keepFolderName(d->d_name);
        continue;
      }
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
  return listing.Error();
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

std::error_code PosixFileSystem::Stat(const std::string& path, bool followLinks, PathStat* result) {
  struct stat st {};
  if ((followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0) {
    return LastError();
  }
  result->id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  result->isDirectory = S_ISDIR(st.st_mode);
  result->isRegular = S_ISREG(st.st_mode);
  result->permissions = st.st_mode & 07777;
  result->owner = st.st_uid;
  return {};
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
  return ReadRegularFile(path, O_RDONLY, nullptr, error);
}

std::optional<std::string> PosixFileSystem::ReadLog(const std::string& path, LogFileFacts* facts,
                                                    std::string* error) {
  return ReadRegularFile(path, O_NOFOLLOW, facts, error);
}

LogHandle PosixFileSystem::OpenLog(const std::string& path, OpenedLog* opened,
                                   std::error_code* error) {
  const auto failed = [&](std::error_code why) {
    *error = why;
    return LogHandle();
  };
  if (path.empty()) return failed(ErrorFromErrno(ENOENT));
  // Without O_NONBLOCK, opening a FIFO would wait for a reader forever; it
  // is refused below like every other file that is not a regular one. Read
  // access is asked for only to look at the log's last byte.
  constexpr int kFlags = O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK;
  int fd = ::open(path.c_str(), O_RDWR | kFlags, 0644);
  const bool readable = fd >= 0;
  if (!readable && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | kFlags, 0644);
  if (fd < 0) return failed(LastError());
  LogHandle log(*this, fd);
  // Held by another run: busy, as a file another holder keeps for itself.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return failed(errno == EWOULDBLOCK ? ErrorFromErrno(EBUSY) : LastError());
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) return failed(LastError());
  if (!S_ISREG(st.st_mode)) return failed(ErrorFromErrno(EINVAL));
  if (::fcntl(fd, F_SETFL, O_APPEND) != 0) return failed(LastError());
  // A log whose last line was cut off (the machine went down while it was
  // written) gets that line's end first, so that the next header stands on
  // a line of its own and a reader of the log still finds it.
  char last = '\n';
  if (readable && st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n') {
    if (const std::error_code appended = AppendToLog(log, "\n")) return failed(appended);
  }
  struct stat named {};
  opened->resolvedPath = RealPath(path).value_or(path);
  opened->facts = FactsOf(fd, st);
  opened->pathIsLink = ::lstat(path.c_str(), &named) == 0 && S_ISLNK(named.st_mode);
  *error = {};
  return log;
}

std::error_code PosixFileSystem::AppendToLog(const LogHandle& held, std::string_view bytes) {
  const int log = held.Get();
  // One write(2) is the rule; a short write (disk nearly full) is finished
  // by further writes rather than left half done.
  std::size_t written = 0;
  std::error_code error;
  while (written < bytes.size()) {
    const ssize_t n = ::write(log, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = LastError();
      break;
    }
    if (n == 0) {  // no room, and no error said: what a full disk means
      error = ErrorFromErrno(ENOSPC);
      break;
    }
    written += static_cast<std::size_t>(n);
  }
  // Lines that could not be finished are taken back, so that the next line
  // written to this log (by a later run) does not run on from a cut-off one.
  if (error && written > 0) (void)TruncateLog(held, written);
  return error;
}

std::error_code PosixFileSystem::TruncateLog(const LogHandle& log, std::uint64_t bytes) {
  struct stat st {};
  if (::fstat(log.Get(), &st) != 0) return LastError();
  if (static_cast<std::uint64_t>(st.st_size) < bytes) return ErrorFromErrno(EINVAL);
  const off_t keep = st.st_size - static_cast<off_t>(bytes);
  return ::ftruncate(log.Get(), keep) == 0 ? std::error_code() : LastError();
}

std::error_code PosixFileSystem::SyncLog(const LogHandle& log) {
  return ::fdatasync(log.Get()) == 0 ? std::error_code() : LastError();
}

std::tm PosixFileSystem::LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local;
}

std::chrono::steady_clock::time_point PosixFileSystem::SteadyNow() {
  return std::chrono::steady_clock::now();
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

std::optional<FileTime> PosixFileSystem::WriteTime(const FolderHandle& folder,
                                                   const std::string& name) {
  struct stat st {};
  if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  return EntryTime(folder.Get(), name.c_str(), st);
}

std::int64_t PosixFileSystem::UtcOffsetAt(std::int64_t unixSeconds) {
  const auto when = static_cast<std::time_t>(unixSeconds);
  std::tm local{};
  if (::localtime_r(&when, &local) == nullptr) return 0;
  return local.tm_gmtoff;
}

}  // namespace kalvenor
