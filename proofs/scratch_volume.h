// A ScratchVolume is a small file system of one kind, made and mounted by
// the proofs for themselves: an image in the proofs' own folder (through a
// loop device where the file system wants a block device) or a passthrough
// of a folder, mounted on a mount point in that folder. It is unmounted and
// detached when it goes, and the MountGuard takes it back if the proofs die
// first. Where this machine cannot make one (not root, no /dev/fuse, a tool
// missing, no loop device, mounting refused), Make says why instead.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace kalvenor::proofs {

enum class VolumeKind {
  Exfat,           // exfat-fuse on an exFAT image (a camera card)
  Ntfs,            // ntfs-3g on an NTFS image
  NtfsIgnoreCase,  // lowntfs-3g -o ignore_case on an NTFS image
  Fat,             // fusefat on a FAT image
  Bindfs,          // bindfs over a folder
  Sshfs,           // sshfs to a local sftp-server, without sshd
  Ext4,            // the kernel's ext4 on a loop device
};

// What a kind of volume is and needs.
struct VolumeTraits {
  VolumeKind kind;
  const char* name;  // for test names: letters, digits, underscores
  bool fuse;
  bool caseInsensitive;  // looks names up ignoring case
  bool listsLowerCase;   // lists every name in lower case, whatever it was made as
  bool storesModes;      // keeps each file's owner and permission bits
  bool hardLinks;        // gives a file a second name
  std::vector<const char*> programs;
  const char* packages;  // the Debian packages that bring the programs
};

const VolumeTraits& TraitsOf(VolumeKind kind);
// How gtest shows a kind: by its name.
void PrintTo(VolumeKind kind, std::ostream* out);
// Every FUSE kind that `fits`, in a fixed order.
std::vector<VolumeKind> FuseKinds(const std::function<bool(const VolumeTraits&)>& fits =
                                      [](const VolumeTraits&) { return true; });

class ScratchVolume {
 public:
  // Makes a fresh volume of `kind` with its files under `workDir` and
  // mounts it at `workDir`/mnt. Null, with `*whyNot` saying why, when this
  // machine cannot.
  static std::unique_ptr<ScratchVolume> Make(VolumeKind kind, const std::string& workDir,
                                             std::string* whyNot);
  // Mounts the existing image of a kernel file system at `mountPoint`.
  static std::unique_ptr<ScratchVolume> MountImage(VolumeKind kind, const std::string& image,
                                                   const std::string& mountPoint,
                                                   std::string* whyNot);
  ~ScratchVolume();
  ScratchVolume(const ScratchVolume&) = delete;
  ScratchVolume& operator=(const ScratchVolume&) = delete;

  VolumeKind Kind() const { return m_kind; }
  const VolumeTraits& Traits() const { return TraitsOf(m_kind); }
  // The mount point: the top of the volume.
  const std::string& Root() const { return m_root; }
  // The image the volume lives in (empty for a passthrough).
  const std::string& Image() const { return m_image; }
  // Unmounts and detaches now; false with `*error` when it could not be
  // done cleanly (the guard then takes it back lazily).
  bool Unmount(std::string* error);

 private:
  ScratchVolume(VolumeKind kind, std::string workDir, std::string root);
  bool MountNew(std::string* whyNot);
  bool AttachLoop(std::string* whyNot);
  bool Mount(const std::vector<std::string>& argv, std::string* whyNot);

  VolumeKind m_kind;
  std::string m_workDir;
  std::string m_root;
  std::string m_image;
  std::string m_loop;  // the loop device, when one is attached
  bool m_mounted = false;
};

// Whether `path` is a mount point now (in this process's mount table).
bool IsMountPoint(const std::string& path);

}  // namespace kalvenor::proofs
