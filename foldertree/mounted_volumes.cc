#include "mounted_volumes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace kalvenor {

namespace {

// Kernel and container file systems that hold no user files.
constexpr std::array<std::string_view, 24> kPseudoTypes = {
    "autofs",   "binfmt_misc", "bpf",        "cgroup",    "cgroup2",
    "configfs", "debugfs",     "devpts",     "devtmpfs",  "efivarfs",
    "fusectl",  "hugetlbfs",   "mqueue",     "nsfs",      "proc",
    "pstore",   "rpc_pipefs",  "securityfs", "selinuxfs", "squashfs",
    "sysfs",    "tracefs",     "ramfs",      "fuse.portal"};

constexpr std::array<std::string_view, 14> kNetworkTypes = {
    "nfs",   "nfs4",        "cifs",      "smb3",          "smbfs",
    "ncpfs", "afs",         "9p",        "fuse.sshfs",    "sshfs",
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

// The kernel writes space, tab, newline and backslash in mount points as a
// backslash and three octal digits.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  const auto octal = [&](std::size_t at) {
    return at < field.size() && field[at] >= '0' && field[at] <= '7';
  };
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
      out += static_cast<char>(((field[i + 1] - '0') << 6) |
                               ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
      i += 3;
      continue;
    }
    out += field[i];
  }
  return out;
}

std::string LabelFor(const std::string& root) {
  const std::string name =
      root == "/" ? std::string("File System") : root.substr(root.rfind('/') + 1);
  return name + " (" + root + ")";
}

std::string ReadWholeFile(const char* path) {
  std::string text;
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buffer[16384];
  ssize_t got;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return text;
}

}  // namespace

std::vector<MountedVolume> ParseMountInfo(std::string_view text) {
  std::vector<MountedVolume> volumes;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    // id parent major:minor root mount-point options [optional...] - type source super
    std::vector<std::string_view> fields;
    for (std::size_t at = 0; at < line.size();) {
      const std::size_t space = std::min(line.find(' ', at), line.size());
      if (space > at) fields.push_back(line.substr(at, space - at));
      at = space + 1;
    }
    const auto dash = std::find(fields.begin(), fields.end(), "-");
    if (fields.size() < 5 || dash == fields.end() || dash + 1 == fields.end()) continue;
    const std::string_view type = *(dash + 1);
    const std::string root = Unescape(fields[4]);
    if (root.empty() || root.front() != '/') continue;
    if (Contains(kPseudoTypes, type) || InSystemArea(root)) continue;
    std::erase_if(volumes,
                  [&](const MountedVolume& v) { return v.rootPath == root; });
    volumes.push_back({root, LabelFor(root), Contains(kNetworkTypes, type)});
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

std::vector<MountedVolume> ReadMountedVolumes() {
  std::vector<MountedVolume> volumes =
      ParseMountInfo(ReadWholeFile("/proc/self/mountinfo"));
  // Mounts of single files (a container's /etc/hosts) are no drives.
  std::erase_if(volumes, [](const MountedVolume& v) {
    struct stat st;
    return ::stat(v.rootPath.c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
  });
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
