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
int SysLstat(int dir, const char* name) {
  struct stat st {};
  return ::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW);
}
int SysRename(int dir, const char* from, const char* to) { return ::renameat(dir, from, dir, to); }

bool LinksRefused(int error) {
  return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

}  // namespace

const RenameSyscalls& SystemRenameSyscalls() {
  static constexpr RenameSyscalls kCalls = {SysRenameNoReplace, SysLink, SysUnlink, SysLstat,
                                            SysRename};
  return kCalls;
}

Cause RenameWithoutReplacing(const RenameSyscalls& calls, int dir, const char* from,
                             const char* to) {
  if (calls.renameNoReplace(dir, from, to) == 0) return Cause::Ok;
  if (errno != EINVAL && errno != ENOSYS) return CauseFromErrno(errno);

  if (calls.link(dir, from, to) == 0) {
    if (calls.unlink(dir, from) == 0) return Cause::Ok;
    const int error = errno;
    calls.unlink(dir, to);  // both names are the same file: keep the old one only
    return CauseFromErrno(error);
  }
  if (!LinksRefused(errno)) return CauseFromErrno(errno);

  // Neither atomic way is offered here: test for the target, then rename.
  if (calls.lstat(dir, to) == 0) return Cause::AccessDenied;
  if (errno != ENOENT) return CauseFromErrno(errno);
  if (calls.rename(dir, from, to) != 0) return CauseFromErrno(errno);
  return Cause::Ok;
}

}  // namespace kalvenor
