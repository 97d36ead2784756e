// The mounted volumes that a user would call drives, read once per
// population of the folder tree. Local volumes appear under "Computer",
// network shares under "Network"; the volume whose mount point holds a path
// is that path's drive component.
#pragma once

#include <string>
#include <vector>

namespace kalvenor {

struct MountedVolume {
  std::string rootPath;  // mount point, bytes; "/" for the root volume
  std::string label;     // shown name, UTF-8: "File System (/)"
  bool network = false;  // a share of another machine (NFS, SMB, sshfs...)
};

// Mounted volumes without pseudo file systems and without mounts of single
// files, one entry per mount point (the mount on top wins). "/" comes first.
std::vector<MountedVolume> ReadMountedVolumes();

// The volume among `volumes` whose mount point is the longest leading run of
// whole components of `path` (an absolute path); nullptr when none is.
const MountedVolume* VolumeHolding(const std::vector<MountedVolume>& volumes,
                                   const std::string& path);

}  // namespace kalvenor
