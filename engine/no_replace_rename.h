// The rename that never replaces an existing entry, on any file system:
// renameat2 with RENAME_NOREPLACE; where that flag is refused (EINVAL),
// a hard link to the new name and an unlink of the old (a link fails on an
// existing name); where hard links are refused too, a test that the new
// name is free followed by a plain rename. The system calls come in as a
// table so that tests can stand in for a file system that refuses some.
#pragma once

#include "cause.h"

namespace kalvenor {

// Each call returns 0 or -1 with errno set, like the system call it names;
// names are relative to the directory descriptor `dir`.
struct RenameSyscalls {
  int (*renameNoReplace)(int dir, const char* from, const char* to);
  int (*link)(int dir, const char* from, const char* to);
  int (*unlink)(int dir, const char* name);
  int (*lstat)(int dir, const char* name);  // 0 when the entry exists
  int (*rename)(int dir, const char* from, const char* to);
};

// The real system calls.
const RenameSyscalls& SystemRenameSyscalls();

// Renames `from` to `to` inside `dir`; Cause::Ok on success, AccessDenied
// when `to` exists, otherwise the cause of the failing call.
Cause RenameWithoutReplacing(const RenameSyscalls& calls, int dir, const char* from,
                             const char* to);

}  // namespace kalvenor
