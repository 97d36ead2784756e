#include "folder_path.h"

#include <string_view>
#include <vector>

#include "file_name.h"
#include "mount_table.h"

namespace kalvenor {
namespace {

// The user's own trash can: $XDG_DATA_HOME/Trash, by default
// ~/.local/share/Trash (resolved when it exists).
std::string HomeTrash(FileSystem& fs) {
  std::string dataHome;
  const std::optional<std::string> xdg = fs.GetEnv("XDG_DATA_HOME");
  if (xdg && xdg->starts_with('/')) {
    dataHome = *xdg;
  } else {
    const std::optional<std::string> home = fs.GetEnv("HOME");
    if (!home || !home->starts_with('/')) return {};
    dataHome = JoinPath(*home, ".local/share");
  }
  std::string trash = JoinPath(dataHome, "Trash");
  return fs.RealPath(trash).value_or(trash);
}

// Every mount point of this process.
std::vector<std::string> MountPoints(FileSystem& fs) {
  std::vector<std::string> points;
  for (MountEntry& entry : ReadMountTable(fs)) points.push_back(std::move(entry.mountPoint));
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
    const std::string_view first = canonical.substr(
        start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (IsVolumeTrashName(first)) return true;
  }
  return false;
}

bool IsValidFolderPath(FileSystem& fs, const std::string& path) {
  if (path.empty()) return false;
  PathStat stat;
  if (fs.Stat(path, /*followLinks=*/true, &stat) || !stat.isDirectory) return false;
  const std::optional<std::string> canonical = fs.RealPath(path);
  if (!canonical) return false;
  if (IsAtOrBelow(*canonical, HomeTrash(fs))) return false;
  if (IsInsideVolumeTrash(*canonical, MountPoints(fs))) return false;
  return true;
}

}  // namespace kalvenor
