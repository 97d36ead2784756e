// For the folder-tree tests: a home folder of their own. The test program's
// main makes a temporary folder, points HOME and the XDG folders at it (the
// desktop directory is <home>/Desktop), runs the tests under a QApplication
// and removes the folder again.
#pragma once

#include <string>

namespace kalvenor::testing {

// The temporary home folder (no '/' at the end).
const std::string& TestHome();
// A new, empty folder inside `parent`, named from `prefix` and a unique
// suffix; its path.
std::string MakeTempFolder(const std::string& parent, const std::string& prefix);
// Makes the folder `path` and any missing parents; fails the test if it
// cannot.
void MakeFolders(const std::string& path);

}  // namespace kalvenor::testing
