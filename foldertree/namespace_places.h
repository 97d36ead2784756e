// Where the places of the namespace are: the desktop directory, the home
// folder and the mounted volumes. ReadNamespacePlaces asks the disk and the
// desktop's settings, touching nothing but the FileSystem it is given, so it
// may run on any thread; the namespace takes the result on its own.
#pragma once

#include <string>
#include <vector>

#include "file_system.h"
#include "mounted_volumes.h"

namespace kalvenor {

struct NamespacePlaces {
  // The XDG desktop folder when it exists as a folder, else the home folder.
  std::string desktopDirectory;
  std::string homeDirectory;
  std::vector<MountedVolume> volumes;  // as ReadMountedVolumes gives them
};

NamespacePlaces ReadNamespacePlaces(FileSystem& fs);

}  // namespace kalvenor
