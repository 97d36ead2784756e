// The two records every step of a rename job shares: the user's choices for
// one job, and one file found in the chosen folder. Plain values; all text is
// byte text exactly as the kernel gives it (never converted, lengths in bytes).
#pragma once

#include <cstdint>
#include <string>

namespace kalvenor {

struct RenameOptions {
  std::string folder;    // ends in '/' once the run has called AppendSeparator
  std::string baseName;  // used with its case as typed; never empty when a run starts
  int baseIndex = 0;     // 0 to 9999: the lowest index a new name may get
  bool postfix = true;   // true: index after the base name; false: before it
  int sortType = 0;      // 0 Alphanumeric, 1 Date, 2 File Type (others: Alphanumeric)
  bool ascending = true;
  bool fillGaps = true;
  std::string logPath;   // empty: no log
};

// A file time: 100-nanosecond units since 1601-01-01 UTC, compared unsigned.
using FileTime = std::uint64_t;

// Which file a directory entry names: device and inode as the scan saw them.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FileId&, const FileId&) = default;
};

struct FileEntry {
  std::string name;  // whole name, no folder part
  std::string stem;  // name before its last '.'; the whole name when it holds none
  std::string ext;   // name after its last '.', without the dot; empty when none
  FileTime time = 0;
  FileId id;         // the folder's device and the listed inode
};

}  // namespace kalvenor
