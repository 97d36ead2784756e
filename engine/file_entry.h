// One file found in the chosen folder, and the small values that describe
// it. Plain values; names are byte text exactly as the kernel gives them
// (never converted, lengths in bytes).
#pragma once

#include <cstdint>
#include <string>

namespace kalvenor {

// A file time: 100-nanosecond units since 1601-01-01 UTC, compared unsigned.
using FileTime = std::uint64_t;

// Which file a directory entry names: device and inode.
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
  FileId id;  // the folder's device and the listed inode
  // Read only for the "Date Taken" order: when the picture was taken, else
  // `time`, both as the computer's local time (capture_time.h); 0 otherwise.
  FileTime taken = 0;
};

}  // namespace kalvenor
