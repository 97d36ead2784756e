// The rename that never replaces an existing entry, on any file system:
// renameat2 with RENAME_NOREPLACE; where that flag is refused (EINVAL),
// a hard link to the new name and an unlink of the old (a link fails on an
// existing name); where hard links are refused too (an exFAT card through
// FUSE refuses both), the new name is first reserved by creating it
// exclusively, and the file is renamed over that reservation once it is
// checked to be still the one this call created. The system calls come in
// as a table so that tests can stand in for a file system that refuses
// some.
#pragma once

#include <cstdint>

#include "cause.h"

namespace kalvenor {

// A directory entry's device, inode, size and change time: enough to tell
// a file from another that took its name, even one given the same inode
// number again.
struct EntryIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t changeTimeNs = 0;
  bool operator==(const EntryIdentity&) const = default;
};

// Each call returns 0 or -1 with errno set, like the system call it names;
// names are relative to the directory descriptor `dir`.
struct RenameSyscalls {
  int (*renameNoReplace)(int dir, const char* from, const char* to);
  int (*link)(int dir, const char* from, const char* to);
  int (*unlink)(int dir, const char* name);
  // lstat: the entry's identity.
  int (*identify)(int dir, const char* name, EntryIdentity* id);
  // Creates `name` as a new empty file (failing with EEXIST on any entry
  // of that name) and gives its identity.
  int (*reserve)(int dir, const char* name, EntryIdentity* id);
  int (*rename)(int dir, const char* from, const char* to);
};

// The real system calls.
const RenameSyscalls& SystemRenameSyscalls();

// What a file system was found to refuse, so that one folder's renames try
// a refused call once, not once per file.
struct RefusedRenameCalls {
  bool noReplaceFlag = false;
  bool hardLinks = false;
};

// Renames `from` to `to` inside `dir`; Cause::Ok on success, AccessDenied
// when `to` exists (or a reservation of it was taken over meanwhile),
// otherwise the cause of the failing call. `refused` (may be null) carries
// what earlier renames in the same folder learned, and learns more.
Cause RenameWithoutReplacing(const RenameSyscalls& calls, int dir, const char* from, const char* to,
                             RefusedRenameCalls* refused = nullptr);

}  // namespace kalvenor
