// PosixFileSystem's renames, which never replace an existing entry on any
// file system, and what a rename cut off by a crash leaves behind:
//  - renameat2 with RENAME_NOREPLACE where the file system offers the flag;
//  - else a hard link to the new name and an unlink of the old (a link
//    fails on an existing name), where the file system offers hard links
//    and keeps inode numbers that tell two names of one file, so that the
//    two names a crash between them leaves can be told later;
//  - else (an exFAT or FAT card, sshfs) a reservation: the new name is
//    created as an empty file marked by its time (reservation_mark.h) and
//    held open, and the file is renamed over it once it is checked to be
//    still that empty file. What another program writes into it after the
//    check (it may have opened it before the rename) is kept beside the
//    file when the reservation is let go, 200 ms after the rename at the
//    earliest.
// What a folder's file system refuses is learnt once per folder.
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "posix_file_system.h"
#include "reservation_mark.h"

namespace kalvenor {
namespace {

bool LinksRefused(int error) {
  return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

bool IsReservation(const struct stat& st) {
  return S_ISREG(st.st_mode) && st.st_size == 0 && IsReservationMark(st.st_mtim.tv_sec);
}

FileId IdOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// How many entries of the folder name the inode `inode` (a file system
// that ignores case finds one entry by several spellings; the listing
// tells the entries apart whatever spelling it keeps).
int EntriesOf(int dir, ino_t inode) {
  const int fd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  DIR* listing = ::fdopendir(fd);
  if (listing == nullptr) {
    ::close(fd);
    return 0;
  }
  int count = 0;
  while (const dirent* entry = ::readdir(listing)) count += entry->d_ino == inode ? 1 : 0;
  ::closedir(listing);
  return count;
}

// Copies what `from` holds into `to` from the start; false on any error.
bool CopyContent(int from, int to) {
  char buffer[1 << 16];
  for (off_t at = 0;;) {
    const ssize_t got = ::pread(from, buffer, sizeof buffer, at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got == 0;
    for (ssize_t put = 0; put < got;) {
      const ssize_t n = ::write(to, buffer + put, static_cast<std::size_t>(got - put));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      put += n;
    }
    at += got;
  }
}

}  // namespace

int PosixFileSystem::RenameExclusiveAt(int dir, const char* from, const char* to) {
  return ::renameat2(dir, from, dir, to, RENAME_NOREPLACE);
}

int PosixFileSystem::LinkAt(int dir, const char* from, const char* to) {
  return ::linkat(dir, from, dir, to, 0);
}

int PosixFileSystem::UnlinkAt(int dir, const char* name) { return ::unlinkat(dir, name, 0); }

int PosixFileSystem::CreateExclusiveAt(int dir, const char* name) {
  return ::openat(dir, name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

int PosixFileSystem::RenameAt(int dir, const char* from, const char* to) {
  return ::renameat(dir, from, dir, to);
}

PosixFileSystem::RenameWays* PosixFileSystem::WaysOf(int handle) {
  const std::lock_guard lock(m_waysMutex);
  return &m_ways[handle];
}

bool PosixFileSystem::KeepsIdentities(int dir) {
  // A file system that makes inode numbers up per path gives the listing
  // no number, or another one than stat: the folder's own "." entry tells.
  bool kept = false;
  struct stat self {};
  const int fd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* listing = fd < 0 ? nullptr : ::fdopendir(fd);
  if (listing == nullptr && fd >= 0) ::close(fd);
  if (listing == nullptr) return false;
  if (::fstat(dir, &self) == 0) {
    while (const dirent* entry = ::readdir(listing)) {
      if (std::string_view(entry->d_name) == ".") {
        kept = entry->d_ino == self.st_ino;
        break;
      }
    }
  }
  ::closedir(listing);
  return kept;
}

bool PosixFileSystem::IdentitiesTrusted(int dir, RenameWays& ways) {
  if (!ways.identitiesTrusted) ways.identitiesTrusted = KeepsIdentities(dir);
  return *ways.identitiesTrusted;
}

Cause PosixFileSystem::RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                       const std::string& to) {
  const int dir = folder.Get();
  RenameWays& ways = *WaysOf(dir);
  int error = RenameOnce(dir, ways, from.c_str(), to.c_str());
  // A reservation that a crash left under the new name holds nothing: it
  // goes, and the rename is tried once more.
  if (error == EEXIST && RemoveLeftoverReservation(folder, to, false) == Cause::Ok) {
    error = RenameOnce(dir, ways, from.c_str(), to.c_str());
  }
  return error == 0 ? Cause::Ok : CauseFromErrno(error);
}

int PosixFileSystem::RenameOnce(int dir, RenameWays& ways, const char* from, const char* to) {
  if (!ways.noReplaceFlagRefused) {
    if (RenameExclusiveAt(dir, from, to) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    ways.noReplaceFlagRefused = true;
  }
  if (!ways.hardLinksRefused && IdentitiesTrusted(dir, ways)) {
    if (LinkAt(dir, from, to) == 0) {
      if (UnlinkAt(dir, from) == 0) return 0;
      const int error = errno;
      UnlinkAt(dir, to);  // both names are the same file: keep the old one only
      return error;
    }
    if (!LinksRefused(errno)) return errno;
    ways.hardLinksRefused = true;
  }
  return RenameOverReservation(dir, from, to);
}

int PosixFileSystem::RenameOverReservation(int dir, const char* from, const char* to) {
  const int reservation = CreateExclusiveAt(dir, to);
  if (reservation < 0) return errno;  // EEXIST: taken
  // Both times: some file systems ignore a modification time given alone.
  const timespec mark[2] = {{kReservationMarkSeconds, 0}, {kReservationMarkSeconds, 0}};
  (void)::futimens(reservation, mark);
  int error = 0;
  struct stat st {};
  if (::fstatat(dir, to, &st, AT_SYMLINK_NOFOLLOW) != 0 || !IsReservation(st)) {
    // Written into or replaced meanwhile: whatever is there now stays.
    error = EEXIST;
  } else if (RenameAt(dir, from, to) != 0) {
    error = errno;
    if (::fstatat(dir, to, &st, AT_SYMLINK_NOFOLLOW) == 0 && IsReservation(st)) {
      UnlinkAt(dir, to);
    }
  } else {
    // A program that opened the reservation before the rename may write
    // into it (the check above saw it empty) or still be writing: it is
    // held a while longer, and what was written by the time it goes is kept
    // beside the file.
    RenameWays& ways = *WaysOf(dir);
    const auto now = std::chrono::steady_clock::now();
    ways.held.push_back({reservation, to, now});
    while (ways.held.size() > kHeldReservations ||
           now - ways.held.front().replaced >= kHoldReservation) {
      ReleaseOldest(dir, ways);
    }
    return 0;
  }
  ::close(reservation);
  return error;
}

void PosixFileSystem::ReleaseOldest(int dir, RenameWays& ways) {
  const HeldReservation held = std::move(ways.held.front());
  ways.held.pop_front();
  struct stat st {};
  if (::fstat(held.fd, &st) == 0 && st.st_size != 0) SaveCopy(dir, held.fd, held.name + ".rescued");
  ::close(held.fd);
}

void PosixFileSystem::ReleaseHeld(int dir, RenameWays& ways) {
  if (ways.held.empty()) return;
  const auto due = ways.held.back().replaced + kHoldReservation;
  if (std::chrono::steady_clock::now() < due) std::this_thread::sleep_until(due);
  while (!ways.held.empty()) ReleaseOldest(dir, ways);
}

void PosixFileSystem::SaveCopy(int dir, int from, const std::string& name) {
  std::string free = name;
  for (int attempt = 2; attempt <= 100; ++attempt) {
    const int copy = CreateExclusiveAt(dir, free.c_str());
    if (copy >= 0) {
      // Appended, so that nothing another program writes into the new file
      // meanwhile is overwritten.
      (void)::fcntl(copy, F_SETFL, O_APPEND);
      CopyContent(from, copy);
      ::close(copy);
      return;
    }
    if (errno != EEXIST) return;
    free = name + "-" + std::to_string(attempt);
  }
}

Cause PosixFileSystem::RemoveSecondName(const FolderHandle& folder, const std::string& name,
                                        const std::string& other) {
  const int dir = folder.Get();
  struct stat st {
  }, otherSt{};
  if (::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
      ::fstatat(dir, other.c_str(), &otherSt, AT_SYMLINK_NOFOLLOW) != 0) {
    return CauseFromErrno(errno);
  }
  // One file under two names: the same identity on a file system whose
  // identities tell, and two entries of it in the listing (a file system
  // that ignores case gives one entry to both spellings of a name).
  if (!(IdOf(st) == IdOf(otherSt)) || st.st_nlink < 2 || S_ISDIR(st.st_mode) ||
      !IdentitiesTrusted(dir, *WaysOf(dir)) || name == other || EntriesOf(dir, st.st_ino) < 2) {
    return Cause::AccessDenied;
  }
  return UnlinkAt(dir, name.c_str()) == 0 ? Cause::Ok : CauseFromErrno(errno);
}

Cause PosixFileSystem::RemoveLeftoverReservation(const FolderHandle& folder,
                                                 const std::string& name, bool unmarked) {
  struct stat st {};
  if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
    return CauseFromErrno(errno);
  }
  const bool empty = S_ISREG(st.st_mode) && st.st_size == 0;
  if (!(unmarked ? empty : IsReservation(st))) return Cause::AccessDenied;
  return UnlinkAt(folder.Get(), name.c_str()) == 0 ? Cause::Ok : CauseFromErrno(errno);
}

bool PosixFileSystem::MayHoldLeftovers(const FolderHandle& folder) {
  // The file systems that have always offered RENAME_NOREPLACE never saw a
  // reservation; any other may have (a card is also read elsewhere).
  struct statfs info {};
  if (::fstatfs(folder.Get(), &info) != 0) return true;
  switch (static_cast<unsigned long>(info.f_type)) {
    case EXT4_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case F2FS_SUPER_MAGIC: return false;
    default: return true;
  }
}

Cause PosixFileSystem::StatEntry(const FolderHandle& folder, const std::string& name,
                                 EntryStat* result) {
  struct stat st {};
  if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
    return CauseFromErrno(errno);
  }
  result->id = IdOf(st);
  result->kind = S_ISREG(st.st_mode)   ? EntryKind::File
                 : S_ISDIR(st.st_mode) ? EntryKind::Folder
                 : S_ISLNK(st.st_mode) ? EntryKind::Link
                                       : EntryKind::Other;
  result->size = static_cast<std::uint64_t>(st.st_size);
  result->isLeftoverReservation = IsReservation(st);
  return Cause::Ok;
}

bool PosixFileSystem::IsOpenLog(const LogHandle& log, const FolderHandle& folder,
                                const std::string& name) {
  struct stat open {
  }, entry{};
  if (::fstat(log.Get(), &open) != 0 ||
      ::fstatat(folder.Get(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0 ||
      open.st_dev != entry.st_dev || !S_ISREG(entry.st_mode)) {
    return false;
  }
  if (open.st_ino == entry.st_ino) return true;
  if (IdentitiesTrusted(folder.Get(), *WaysOf(folder.Get()))) return false;
  // A FUSE file system without inode numbers of its own gives each
  // spelling of a name (K.LOG, k.log) its own number, and the kernel keeps
  // what it last heard of each: both are asked afresh.
  constexpr unsigned kWanted = STATX_SIZE | STATX_MTIME;
  struct statx fresh {
  }, named{};
  return ::statx(log.Get(), "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, kWanted, &fresh) == 0 &&
         ::statx(folder.Get(), name.c_str(), AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC, kWanted,
                 &named) == 0 &&
         fresh.stx_size == named.stx_size && fresh.stx_mtime.tv_sec == named.stx_mtime.tv_sec &&
         fresh.stx_mtime.tv_nsec == named.stx_mtime.tv_nsec;
}

Cause PosixFileSystem::SyncFolder(const FolderHandle& folder) {
  RenameWays& ways = *WaysOf(folder.Get());
  ReleaseHeld(folder.Get(), ways);
  if (::fsync(folder.Get()) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS) {
    return Cause::Ok;
  }
  return CauseFromErrno(errno);
}

}  // namespace kalvenor
