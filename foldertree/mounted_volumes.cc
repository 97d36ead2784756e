#include "mounted_volumes.h"

#include "file_name.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "mount_table.h"

namespace kalvenor {

namespace {

// Kernel and container file systems that hold no user files.
constexpr std::array<std::string_view, 24> kPseudoTypes = {
    "autofs",    "binfmt_misc", "bpf",      "cgroup",   "cgroup2",    "configfs",
    "debugfs",   "devpts",      "devtmpfs", "efivarfs", "fusectl",    "hugetlbfs",
    "mqueue",    "nsfs",        "proc",     "pstore",   "rpc_pipefs", "securityfs",
    "selinuxfs", "squashfs",    "sysfs",    "tracefs",  "ramfs",      "fuse.portal"};

constexpr std::array<std::string_view, 14> kNetworkTypes = {
    "nfs", "nfs4",       "cifs",  "smb3",  "smbfs",       "ncpfs",     "afs",
    "9p",  "fuse.sshfs", "sshfs", "davfs", "fuse.davfs2", "glusterfs", "fuse.glusterfs"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& list, std::string_view value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

// System areas: their mounts are the system's, not the user's drives.
// Removable media mounted under /run/media stay.
bool InSystemArea(std::string_view root) {
  if (IsAtOrBelow(root, "/run/media")) return false;
  for (std::string_view area : {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lock"}) {
    if (IsAtOrBelow(root, area)) return true;
  }
  return false;
}

std::string LabelFor(const std::string& root) {
  const std::string name =
      root == "/" ? std::string(kRootVolumeName) : root.substr(root.rfind('/') + 1);
  return name + " (" + root + ")";
}

}  // namespace

std::vector<MountedVolume> UserVolumes(const std::vector<MountEntry>& table) {
  std::vector<MountedVolume> volumes;
  for (const MountEntry& entry : table) {
    const std::string& root = entry.mountPoint;
    if (root.empty() || root.front() != '/') continue;
    if (Contains(kPseudoTypes, entry.type) || InSystemArea(root)) continue;
    std::erase_if(volumes, [&](const MountedVolume& v) { return v.rootPath == root; });
    volumes.push_back({root, LabelFor(root), Contains(kNetworkTypes, entry.type)});
  }
  // The root folder is always there, even where the table does not list it
  // (a process inside a chroot): without it no path outside the listed
  // mounts would belong to any volume, and the tree could not reach it.
  const auto isRoot = [](const MountedVolume& v) { return v.rootPath == "/"; };
  if (std::none_of(volumes.begin(), volumes.end(), isRoot)) {
    volumes.push_back({"/", LabelFor("/"), false});
  }
  std::stable_partition(volumes.begin(), volumes.end(), isRoot);
  return volumes;
}

std::vector<MountedVolume> ReadMountedVolumes(FileSystem& fs) {
  std::vector<MountedVolume> volumes = UserVolumes(ReadMountTable(fs));
  // Mounts of single files (a container's /etc/hosts) are no drives.
  std::erase_if(volumes, [&fs](const MountedVolume& v) {
    PathStat stat;
    return fs.Stat(v.rootPath, /*followLinks=*/true, &stat) != Cause::Ok || !stat.isDirectory;
  });
  return volumes;
}

const MountedVolume* VolumeHolding(const std::vector<MountedVolume>& volumes,
                                   const std::string& path) {
  const MountedVolume* best = nullptr;
  for (const MountedVolume& volume : volumes) {
    if (!IsAtOrBelow(path, volume.rootPath)) continue;
    if (best == nullptr || volume.rootPath.size() > best->rootPath.size()) {
      best = &volume;
    }
  }
  return best;
}

}  // namespace kalvenor
