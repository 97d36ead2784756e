// Hidden files: the files of a folder that a file manager does not show and
// that other programs put there (thumbnail caches, folder settings), rather
// than the user. A run renames them like every other file unless it is
// asked to leave them alone (RenameOptions::keepHidden).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "file_entry.h"

namespace kalvenor {

// True for a name that begins with '.' (hidden on every Linux desktop, and
// the form of macOS's .DS_Store and ._ files), and for the files that
// Windows and macOS hide by attribute: Thumbs.db, ehthumbs.db,
// ehthumbs_vista.db and desktop.ini (ASCII letters in any case), and macOS's
// "Icon\r".
bool IsHiddenFileName(std::string_view name);

// Moves the entries with hidden names out of `entries`, keeping the order of
// the others, and appends their names to `keptNames`.
void SetAsideHiddenFiles(std::vector<FileEntry>& entries, std::vector<std::string>& keptNames);

}  // namespace kalvenor
