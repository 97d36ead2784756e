// What reading one folder of the file system finds: its subfolders as plain
// data. ReadFolderListing is the only disk work of a folder's read in the
// tree; it touches nothing but the FileSystem it is given, so it may run on
// any thread while the namespace and the tree stay on theirs.
#pragma once

#include <string>
#include <vector>

#include "file_system.h"

namespace kalvenor {

struct FolderListing {
  bool read = false;                       // false: the folder could not be opened or listed
  std::vector<SubfolderEntry> subfolders;  // in the order the folder lists them
};

// Opens the folder `path` through `fs` and lists its subfolders.
FolderListing ReadFolderListing(FileSystem& fs, const std::string& path);

}  // namespace kalvenor
