// The path test shared by the folder tree and the form: may the files of
// this folder be given new names?
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"

namespace kalvenor {

// False for the empty path and for any path inside a trash can (the user's
// $XDG_DATA_HOME/Trash, and a .Trash or .Trash-<uid> folder at the top of a
// mounted volume, with everything beneath them); otherwise true exactly when
// stat finds a directory. "/" is valid.
bool IsValidFolderPath(FileSystem& fs, const std::string& path);

// True when the canonical absolute `path` lies at or beneath a ".Trash" or
// ".Trash-<uid>" folder at the top of one of the `mountPoints`.
bool IsInsideVolumeTrash(std::string_view path, const std::vector<std::string>& mountPoints);

}  // namespace kalvenor
