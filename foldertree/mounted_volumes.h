// The mounted volumes that a user would call drives, read once per
// population of the folder tree. Local volumes appear under "Computer",
// network shares under "Network"; the volume whose mount point holds a path
// is that path's drive component.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"
#include "mount_table.h"

namespace kalvenor {

// The root volume's name: its label is "File System (/)".
inline constexpr std::string_view kRootVolumeName = "File System";

struct MountedVolume {
  std::string rootPath;  // mount point, bytes; "/" for the root volume
  std::string label;     // shown name, bytes: "File System (/)", "USB (/media/USB)"
  bool network = false;  // a share of another machine (NFS, SMB, sshfs...)
};

// The volumes among the entries of a mount table, without pseudo file
// systems and system areas (/proc, /sys, /dev, /run but /run/media), one
// entry per mount point (the mount on top wins), "/" first, also when the
// table does not list it. Mount points keep their bytes.
std::vector<MountedVolume> UserVolumes(const std::vector<MountEntry>& table);

// The same for this process's mount table, without mounts of single files.
std::vector<MountedVolume> ReadMountedVolumes(FileSystem& fs);

// The volume among `volumes` whose mount point is the longest leading run of
// whole components of `path` (an absolute path); nullptr when none is.
const MountedVolume* VolumeHolding(const std::vector<MountedVolume>& volumes,
                                   const std::string& path);

}  // namespace kalvenor
