// Turning a path typed on the command line into a full path, so that the
// log always records full paths. Purely textual: symbolic links are never
// resolved, because the user named the path they meant.
#pragma once

#include <string>

namespace kalvenor {

// Gives `path` as an absolute path: unchanged in meaning when it already
// begins with '/', otherwise `cwd` (itself absolute) followed by `path`.
// "." components and repeated slashes are dropped; ".." is kept, since
// removing it textually would be wrong past a symbolic link. A trailing '/'
// of `path` is kept. An empty `path` gives an empty result.
std::string MakeAbsolutePath(const std::string& path, const std::string& cwd);

}  // namespace kalvenor
