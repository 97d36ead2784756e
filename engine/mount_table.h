// The kernel's table of this process's mounts (/proc/self/mountinfo), read
// into mount points and file-system types. The path test (trash cans at the
// top of a volume) and the folder tree's list of volumes both start here.
// Mount points keep their bytes, with the kernel's octal escapes undone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"

namespace kalvenor {

struct MountEntry {
  std::string mountPoint;
  std::string type;
};

// One entry per line of `text` in the mountinfo format, in table order;
// lines without the "-" separator and a type after it are skipped.
std::vector<MountEntry> ParseMountTable(std::string_view text);

// The same for this process's mount table as `fs` reads it; empty when it
// cannot be read.
std::vector<MountEntry> ReadMountTable(FileSystem& fs);

}  // namespace kalvenor
