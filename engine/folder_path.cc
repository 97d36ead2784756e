#include "folder_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "mount_table.h"

namespace kalvenor {
namespace {

// The canonical absolute form of `path` (symbolic links and ".." resolved),
// or empty when the path does not resolve.
std::string Canonical(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return {};
  std::string result(resolved);
  std::free(resolved);
  return result;
}

// True when `path` is `root` itself or lies beneath it.
bool IsAtOrBelow(std::string_view path, std::string_view root) {
  if (root.empty()) return false;
  if (root == "/") return true;
  if (path.substr(0, root.size()) != root) return false;
  return path.size() == root.size() || path[root.size()] == '/';
}

// The user's own trash can: $XDG_DATA_HOME/Trash, by default
// ~/.local/share/Trash (resolved when it exists).
std::string HomeTrash() {
  std::string dataHome;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    dataHome = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return {};
    dataHome = std::string(home) + "/.local/share";
  }
  std::string trash = dataHome + "/Trash";
  std::string resolved = Canonical(trash);
  return resolved.empty() ? trash : resolved;
}

// Every mount point of this process.
std::vector<std::string> MountPoints() {
  std::vector<std::string> points;
  for (MountEntry& entry : ReadMountTable()) points.push_back(std::move(entry.mountPoint));
  return points;
}

// ".Trash" or ".Trash-<digits>": the trash can at the top of a volume.
bool IsVolumeTrashName(std::string_view name) {
  if (name == ".Trash") return true;
  constexpr std::string_view kPrefix = ".Trash-";
  if (name.size() <= kPrefix.size() || name.substr(0, kPrefix.size()) != kPrefix) return false;
  return name.substr(kPrefix.size()).find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool IsInsideVolumeTrash(std::string_view canonical, const std::vector<std::string>& mountPoints) {
  for (const std::string& point : mountPoints) {
    if (!IsAtOrBelow(canonical, point)) continue;
    std::size_t start = point == "/" ? 1 : point.size() + 1;
    if (start > canonical.size()) continue;
    const std::size_t end = canonical.find('/', start);
    const std::string_view first =
        canonical.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (IsVolumeTrashName(first)) return true;
  }
  return false;
}

bool IsValidFolderPath(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  const std::string canonical = Canonical(path);
  if (canonical.empty()) return false;
  if (IsAtOrBelow(canonical, HomeTrash())) return false;
  if (IsInsideVolumeTrash(canonical, MountPoints())) return false;
  return true;
}

}  // namespace kalvenor
