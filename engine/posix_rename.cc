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
//    still that empty file. What another program writes into it is kept:
//    before the check it stays there and the rename fails; after the check
//    (it may have opened it before the rename) it is kept beside the file
//    when the reservation is let go.
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

std::error_code PosixFileSystem::RenameNoReplace(const FolderHandle& folder,
                                                 const std::string& from, const std::string& to) {
  const int dir = folder.Get();
  RenameWays& ways = *WaysOf(dir);
  int error = RenameOnce(dir, ways, from.c_str(), to.c_str());
  // A reservation that a crash left under the new name holds nothing: it
  // goes, and the rename is tried once more.
  if (error == EEXIST && !RemoveLeftoverReservation(folder, to, false)) {
    error = RenameOnce(dir, ways, from.c_str(), to.c_str());
  }
  return ErrorFromErrno(error);
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
  return RenameOverReservation(dir, ways, from, to);
}

int PosixFileSystem::RenameOverReservation(int dir, RenameWays& ways, const char* from,
                                           const char* to) {
  const int reservation = CreateExclusiveAt(dir, to);
  if (reservation < 0) return errno;  // EEXIST: taken
  // Both times: some file systems ignore a modification time given alone.
  const timespec mark[2] = {{kReservationMarkSeconds, 0}, {kReservationMarkSeconds, 0}};
  (void)::futimens(reservation, mark);
  struct stat st {};
  if (::fstatat(dir, to, &st, AT_SYMLINK_NOFOLLOW) != 0 || !IsReservation(st)) {
    ::close(reservation);
    return EEXIST;  // written into or replaced meanwhile: whatever is there now stays
  }
  // One replaced reservation is held at a time: a FUSE file system keeps
  // each under a hidden name of the folder while it is held.
  LetGo(dir, ways);
  if (RenameAt(dir, from, to) != 0) {
    const int error = errno;
    ::close(reservation);
    if (::fstatat(dir, to, &st, AT_SYMLINK_NOFOLLOW) == 0 && IsReservation(st)) UnlinkAt(dir, to);
    return error;
  }
  // What was written into the reservation after its check, before the
  // rename or through a descriptor opened before it, is in the file held
  // here; it is looked at when the reservation is let go.
  ways.held = HeldReservation{reservation, to, st.st_ino};
  return 0;
}

ssize_t PosixFileSystem::ReadAt(int fd, char* buffer, std::size_t size, off_t at) {
  return ::pread(fd, buffer, size, at);
}

void PosixFileSystem::LetGo(int dir, RenameWays& ways) {
  if (!ways.held) return;
  const HeldReservation held = std::move(*ways.held);
  ways.held.reset();
  struct stat st {};
  if (::fstat(held.fd, &st) != 0 || st.st_size != 0) Rescue(dir, held);
  ::close(held.fd);
}

void PosixFileSystem::Rescue(int dir, const HeldReservation& held) {
  const std::string name = held.name + ".rescued";
  if (SaveCopy(dir, held.fd, name)) return;
  // Some FUSE file systems (fusefat) refuse reads through a descriptor of
  // a file replaced while open, but not through the hidden name the FUSE
  // library gives it meanwhile: ".fuse_hidden", then its node number (the
  // inode number such file systems show) and a counter, each as 8 hex digits.
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, ".fuse_hidden%08x", static_cast<unsigned>(held.inode));
  const int fd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* listing = fd < 0 ? nullptr : ::fdopendir(fd);
  if (listing == nullptr) {
    if (fd >= 0) ::close(fd);
    return;
  }
  while (const dirent* entry = ::readdir(listing)) {
    if (!std::string_view(entry->d_name).starts_with(prefix)) continue;
    const int hidden = ::openat(dir, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (hidden >= 0) {
      SaveCopy(dir, hidden, name);
      ::close(hidden);
    }
    break;
  }
  ::closedir(listing);
}

bool PosixFileSystem::SaveCopy(int dir, int from, const std::string& name) {
  char buffer[1 << 16];
  ssize_t got = 0;
  while ((got = ReadAt(from, buffer, sizeof buffer, 0)) < 0 && errno == EINTR) {
  }
  if (got <= 0) return got == 0;  // nothing to keep, or it cannot be read
  std::string free = name;
  for (int attempt = 2; attempt <= 100; ++attempt) {
    const int copy = CreateExclusiveAt(dir, free.c_str());
    if (copy >= 0) {
      // Appended, so that nothing another program writes into the new file
      // meanwhile is overwritten.
      (void)::fcntl(copy, F_SETFL, O_APPEND);
      for (off_t at = 0; got > 0;) {
        if (::write(copy, buffer, static_cast<std::size_t>(got)) != got) break;
        at += got;
        while ((got = ReadAt(from, buffer, sizeof buffer, at)) < 0 && errno == EINTR) {
        }
      }
      ::close(copy);
      return true;
    }
    if (errno != EEXIST) return true;
    free = name + "-" + std::to_string(attempt);
  }
  return true;
}

std::error_code PosixFileSystem::RemoveSecondName(const FolderHandle& folder,
                                                  const std::string& name,
                                                  const std::string& other) {
  const int dir = folder.Get();
  struct stat st {
  }, otherSt{};
  if (::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
      ::fstatat(dir, other.c_str(), &otherSt, AT_SYMLINK_NOFOLLOW) != 0) {
    return LastError();
  }
  // One file under two names: the same identity on a file system whose
  // identities tell, and two entries of it in the listing (a file system
  // that ignores case gives one entry to both spellings of a name).
  if (!(IdOf(st) == IdOf(otherSt)) || st.st_nlink < 2 || S_ISDIR(st.st_mode) ||
      !IdentitiesTrusted(dir, *WaysOf(dir)) || name == other || EntriesOf(dir, st.st_ino) < 2) {
    return ErrorFromErrno(EPERM);
  }
  return UnlinkAt(dir, name.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code PosixFileSystem::RemoveLeftoverReservation(const FolderHandle& folder,
                                                           const std::string& name, bool unmarked) {
  struct stat st {};
  if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return LastError();
  const bool empty = S_ISREG(st.st_mode) && st.st_size == 0;
  if (!(unmarked ? empty : IsReservation(st))) return ErrorFromErrno(EPERM);
  return UnlinkAt(folder.Get(), name.c_str()) == 0 ? std::error_code() : LastError();
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

std::error_code PosixFileSystem::StatEntry(const FolderHandle& folder, const std::string& name,
                                           EntryStat* result) {
  struct stat st {};
  if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return LastError();
  result->id = IdOf(st);
  result->kind = S_ISREG(st.st_mode)   ? EntryKind::File
                 : S_ISDIR(st.st_mode) ? EntryKind::Folder
                 : S_ISLNK(st.st_mode) ? EntryKind::Link
                                       : EntryKind::Other;
  result->size = static_cast<std::uint64_t>(st.st_size);
  result->isLeftoverReservation = IsReservation(st);
  return {};
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

std::error_code PosixFileSystem::SyncFolder(const FolderHandle& folder) {
  LetGo(folder.Get(), *WaysOf(folder.Get()));
  if (::fsync(folder.Get()) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS) {
    return {};
  }
  return LastError();
}

}  // namespace kalvenor
