#include "no_replace_rename.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kalvenor {
namespace {

int SysRenameNoReplace(int dir, const char* from, const char* to) {
#ifdef SYS_renameat2
  // Called directly: older C libraries lack the renameat2 wrapper.
  return static_cast<int>(::syscall(SYS_renameat2, dir, from, dir, to, RENAME_NOREPLACE));
#else
  errno = ENOSYS;
  return -1;
#endif
}

int SysLink(int dir, const char* from, const char* to) { return ::linkat(dir, from, dir, to, 0); }
int SysUnlink(int dir, const char* name) { return ::unlinkat(dir, name, 0); }
EntryIdentity IdentityOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::uint64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

int SysIdentify(int dir, const char* name, EntryIdentity* id) {
  struct stat st {};
  if (::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return -1;
  *id = IdentityOf(st);
  return 0;
}
int SysReserve(int dir, const char* name, EntryIdentity* id) {
  const int fd = ::openat(dir, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  struct stat st {};
  const int result = ::fstat(fd, &st);
  const int error = errno;
  ::close(fd);
  if (result != 0) {
    ::unlinkat(dir, name, 0);
    errno = error;
    return -1;
  }
  *id = IdentityOf(st);
  return 0;
}
int SysRename(int dir, const char* from, const char* to) { return ::renameat(dir, from, dir, to); }

bool LinksRefused(int error) {
  return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

}  // namespace

const RenameSyscalls& SystemRenameSyscalls() {
  static constexpr RenameSyscalls kCalls = {SysRenameNoReplace, SysLink,    SysUnlink,
                                            SysIdentify,        SysReserve, SysRename};
  return kCalls;
}

Cause RenameWithoutReplacing(const RenameSyscalls& calls, int dir, const char* from, const char* to,
                             RefusedRenameCalls* refused) {
  RefusedRenameCalls local;
  RefusedRenameCalls& known = refused != nullptr ? *refused : local;
  if (!known.noReplaceFlag) {
    if (calls.renameNoReplace(dir, from, to) == 0) return Cause::Ok;
    if (errno != EINVAL && errno != ENOSYS) return CauseFromErrno(errno);
    known.noReplaceFlag = true;
  }

  if (!known.hardLinks) {
    if (calls.link(dir, from, to) == 0) {
      if (calls.unlink(dir, from) == 0) return Cause::Ok;
      const int error = errno;
      calls.unlink(dir, to);  // both names are the same file: keep the old one only
      return CauseFromErrno(error);
    }
    if (!LinksRefused(errno)) return CauseFromErrno(errno);
    known.hardLinks = true;
  }

  // Neither atomic way is offered here: hold the new name with a file of
  // our own, then rename over it, provided it is still ours.
  EntryIdentity mine;
  if (calls.reserve(dir, to, &mine) != 0) return CauseFromErrno(errno);  // EEXIST: taken
  const auto dropReservation = [&] {
    EntryIdentity now;
    if (calls.identify(dir, to, &now) == 0 && now == mine) calls.unlink(dir, to);
  };
  EntryIdentity now;
  if (calls.identify(dir, to, &now) != 0 || !(now == mine)) return Cause::AccessDenied;
  if (calls.rename(dir, from, to) != 0) {
    const int error = errno;
    dropReservation();
    return CauseFromErrno(error);
  }
  return Cause::Ok;
}

}  // namespace kalvenor
