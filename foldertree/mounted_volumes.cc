#include "mounted_volumes.h"

#include <sys/stat.h>

#include <QFile>
#include <QStorageInfo>
#include <algorithm>
#include <array>
#include <string_view>

namespace kalvenor {

namespace {

// Kernel and container file systems that hold no user files.
constexpr std::array<std::string_view, 24> kPseudoTypes = {
    "autofs",   "binfmt_misc", "bpf",       "cgroup",     "cgroup2",
    "configfs", "debugfs",     "devpts",    "devtmpfs",   "efivarfs",
    "fusectl",  "hugetlbfs",   "mqueue",    "nsfs",       "proc",
    "pstore",   "rpc_pipefs",  "securityfs", "selinuxfs", "squashfs",
    "sysfs",    "tracefs",     "ramfs",     "fuse.portal"};

constexpr std::array<std::string_view, 14> kNetworkTypes = {
    "nfs",  "nfs4",    "cifs",      "smb3",           "smbfs",
    "ncpfs", "afs",    "9p",        "fuse.sshfs",     "sshfs",
    "davfs", "fuse.davfs2", "glusterfs", "fuse.glusterfs"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& list,
              std::string_view value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

bool StartsWithComponent(std::string_view path, std::string_view prefix) {
  if (prefix == "/") return !path.empty() && path.front() == '/';
  if (path.substr(0, prefix.size()) != prefix) return false;
  return path.size() == prefix.size() || path[prefix.size()] == '/';
}

// System areas: their mounts are the system's, not the user's drives.
// Removable media mounted under /run/media stay.
bool InSystemArea(std::string_view root) {
  if (StartsWithComponent(root, "/run/media")) return false;
  for (std::string_view area : {"/proc", "/sys", "/dev", "/run", "/var/run",
                                "/var/lock"}) {
    if (StartsWithComponent(root, area)) return true;
  }
  return false;
}

std::string LabelFor(const QStorageInfo& storage, const std::string& root) {
  QString name = storage.name();
  if (name.isEmpty()) {
    if (root == "/") {
      name = QStringLiteral("File System");
    } else {
      const QString shown = storage.rootPath();
      name = shown.mid(shown.lastIndexOf(QLatin1Char('/')) + 1);
    }
  }
  return (name + QStringLiteral(" (") + storage.rootPath() +
          QStringLiteral(")"))
      .toStdString();
}

}  // namespace

std::vector<MountedVolume> ReadMountedVolumes() {
  std::vector<MountedVolume> volumes;
  for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
    if (!storage.isValid()) continue;
    const std::string type = storage.fileSystemType().toStdString();
    const QByteArray encoded = QFile::encodeName(storage.rootPath());
    const std::string root(encoded.constData(), encoded.size());
    if (Contains(kPseudoTypes, type) || InSystemArea(root)) continue;
    // Drops mounts of single files and mount points whose name did not
    // survive the round trip through QString.
    struct stat st;
    if (::stat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
    std::erase_if(volumes,
                  [&](const MountedVolume& v) { return v.rootPath == root; });
    volumes.push_back({root, LabelFor(storage, root),
                       Contains(kNetworkTypes, type)});
  }
  std::stable_partition(volumes.begin(), volumes.end(),
                        [](const MountedVolume& v) { return v.rootPath == "/"; });
  return volumes;
}

const MountedVolume* VolumeHolding(const std::vector<MountedVolume>& volumes,
                                   const std::string& path) {
  const MountedVolume* best = nullptr;
  for (const MountedVolume& volume : volumes) {
    if (!StartsWithComponent(path, volume.rootPath)) continue;
    if (best == nullptr || volume.rootPath.size() > best->rootPath.size()) {
      best = &volume;
    }
  }
  return best;
}

}  // namespace kalvenor
