// The scan of the chosen folder into FileEntry records, with the names of
// the entries it does not rename, and the file-count limit a run checks
// right after it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "failure.h"
#include "file_system.h"
#include "rename_plan.h"

namespace kalvenor {

// A run plans at most this many files, one per index; a folder with more is
// left alone.
inline constexpr std::size_t kMaxFileCount = kIndexLimit - 1;

// The files of the held folder, in the order the folder lists them, from
// one listing that also appends to `keptNames` the names of the entries it
// leaves out, its subfolders and links to folders: they are never renamed,
// but their names are taken all the same. A folder that cannot be read to
// its end gives nothing, and no kept names (a part of it would be numbered
// without the series files it did not show); nothing is reported. File
// times are read only `withTimes` (the Date order is the one reader of
// them); otherwise every time is 0.
std::vector<FileEntry> ScanFolder(FileSystem& fs, const FolderHandle& folder, bool withTimes,
                                  std::vector<std::string>& keptNames);

// Whether the folder at `path` can be opened and listed to its end: no
// failure, or what the opening or the listing gave, with `path`.
Failure ProbeFolder(FileSystem& fs, const std::string& path);

}  // namespace kalvenor
