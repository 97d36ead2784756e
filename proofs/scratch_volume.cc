#include "scratch_volume.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "mount_guard.h"

namespace kalvenor::proofs {
namespace {

constexpr long long kImageBytes = 32LL << 20;
constexpr auto kToolLimit = std::chrono::seconds(120);

const std::vector<VolumeTraits>& AllTraits() {
  static const std::vector<VolumeTraits> kTraits = {
      {.kind = VolumeKind::Exfat,
       .name = "exfat",
       .fuse = true,
       .caseInsensitive = true,
       .listsLowerCase = false,
       .storesModes = false,
       .hardLinks = false,
       .programs = {"mkfs.exfat", "mount.exfat-fuse", "losetup"},
       .packages = "exfat-fuse exfatprogs"},
      {.kind = VolumeKind::Ntfs,
       .name = "ntfs3g",
       .fuse = true,
       .caseInsensitive = false,
       .listsLowerCase = false,
       .storesModes = false,
       .hardLinks = true,
       .programs = {"mkntfs", "ntfs-3g"},
       .packages = "ntfs-3g"},
      {.kind = VolumeKind::NtfsIgnoreCase,
       .name = "lowntfs3g_ignore_case",
       .fuse = true,
       .caseInsensitive = true,
       .listsLowerCase = true,
       .storesModes = false,
       .hardLinks = true,
       .programs = {"mkntfs", "lowntfs-3g"},
       .packages = "ntfs-3g"},
      {.kind = VolumeKind::Fat,
       .name = "fusefat",
       .fuse = true,
       .caseInsensitive = true,
       .listsLowerCase = false,
       .storesModes = false,
       .hardLinks = false,
       .programs = {"mkfs.fat", "fusefat"},
       .packages = "fusefat dosfstools"},
      {.kind = VolumeKind::Bindfs,
       .name = "bindfs",
       .fuse = true,
       .caseInsensitive = false,
       .listsLowerCase = false,
       .storesModes = true,
       .hardLinks = true,
       .programs = {"bindfs"},
       .packages = "bindfs"},
      {.kind = VolumeKind::Sshfs,
       .name = "sshfs",
       .fuse = true,
       .caseInsensitive = false,
       .listsLowerCase = false,
       .storesModes = true,
       .hardLinks = true,
       .programs = {"sshfs", "/usr/lib/openssh/sftp-server"},
       .packages = "sshfs openssh-sftp-server"},
      {.kind = VolumeKind::Ext4,
       .name = "ext4",
       .fuse = false,
       .caseInsensitive = false,
       .listsLowerCase = false,
       .storesModes = true,
       .hardLinks = true,
       .programs = {"mkfs.ext4", "e2fsck", "losetup", "mount"},
       .packages = "e2fsprogs mount"},
  };
  return kTraits;
}

// The fields of the mount table are escaped: a space as \040 and so on.
std::string UnescapeMountField(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

bool MakeImage(const std::string& path, std::string* whyNot) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const bool made = fd >= 0 && ::ftruncate(fd, kImageBytes) == 0;
  if (fd >= 0) ::close(fd);
  if (!made) *whyNot = "cannot make the image " + path;
  return made;
}

bool RunTool(const std::vector<std::string>& argv, std::string* whyNot) {
  std::string output;
  const ExitStatus status = RunCapturing(argv, &output, kToolLimit);
  if (status.Exited(0)) return true;
  *whyNot = argv[0] + " " + status.Describe() + ": " + output;
  return false;
}

// Why this machine cannot make a volume of `kind`; empty when it can.
std::string WhyNotHere(const VolumeTraits& traits) {
  if (::geteuid() != 0) return "needs root to make and mount file systems";
  if (traits.fuse) {
    const int fuse = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fuse < 0) return "no usable /dev/fuse on this machine";
    ::close(fuse);
  }
  for (const char* program : traits.programs) {
    if (FindProgram(program).empty())
      return std::string("needs ") + program + " (Debian: " + traits.packages + ")";
  }
  return {};
}

}  // namespace

const VolumeTraits& TraitsOf(VolumeKind kind) {
  for (const VolumeTraits& traits : AllTraits())
    if (traits.kind == kind) return traits;
  return AllTraits().front();
}

void PrintTo(VolumeKind kind, std::ostream* out) { *out << TraitsOf(kind).name; }

std::vector<VolumeKind> FuseKinds(const std::function<bool(const VolumeTraits&)>& fits) {
  std::vector<VolumeKind> kinds;
  for (const VolumeTraits& traits : AllTraits())
    if (traits.fuse && fits(traits)) kinds.push_back(traits.kind);
  return kinds;
}

bool IsMountPoint(const std::string& path) {
  std::ifstream table("/proc/self/mountinfo");
  for (std::string line; std::getline(table, line);) {
    std::istringstream fields(line);
    std::string id, parent, device, root, mountPoint;
    fields >> id >> parent >> device >> root >> mountPoint;
    if (UnescapeMountField(mountPoint) == path) return true;
  }
  return false;
}

ScratchVolume::ScratchVolume(VolumeKind kind, std::string workDir, std::string root)
    : m_kind(kind), m_workDir(std::move(workDir)), m_root(std::move(root)) {}

ScratchVolume::~ScratchVolume() {
  std::string error;
  Unmount(&error);
}

std::unique_ptr<ScratchVolume> ScratchVolume::Make(VolumeKind kind, const std::string& workDir,
                                                   std::string* whyNot) {
  *whyNot = WhyNotHere(TraitsOf(kind));
  if (!whyNot->empty()) return nullptr;
  std::unique_ptr<ScratchVolume> volume(new ScratchVolume(kind, workDir, workDir + "/mnt"));
  if (::mkdir(volume->m_root.c_str(), 0755) != 0) {
    *whyNot = "cannot make the mount point " + volume->m_root;
    return nullptr;
  }
  if (!volume->MountNew(whyNot)) return nullptr;
  return volume;
}

std::unique_ptr<ScratchVolume> ScratchVolume::MountImage(VolumeKind kind, const std::string& image,
                                                         const std::string& mountPoint,
                                                         std::string* whyNot) {
  *whyNot = WhyNotHere(TraitsOf(kind));
  if (!whyNot->empty()) return nullptr;
  std::unique_ptr<ScratchVolume> volume(new ScratchVolume(kind, std::string(), mountPoint));
  volume->m_image = image;
  if (!volume->AttachLoop(whyNot) ||
      !volume->Mount({FindProgram("mount"), volume->m_loop, mountPoint}, whyNot)) {
    return nullptr;
  }
  return volume;
}

bool ScratchVolume::MountNew(std::string* whyNot) {
  const std::string name = Traits().name;
  const std::string image = m_workDir + "/" + name + ".img";
  const std::string source = m_workDir + "/" + name + "-source";
  switch (m_kind) {
    case VolumeKind::Exfat:
      m_image = image;
      return MakeImage(image, whyNot) && RunTool({FindProgram("mkfs.exfat"), image}, whyNot) &&
             AttachLoop(whyNot) && Mount({FindProgram("mount.exfat-fuse"), m_loop, m_root}, whyNot);
    case VolumeKind::Ntfs:
    case VolumeKind::NtfsIgnoreCase: {
      m_image = image;
      std::vector<std::string> mount = {FindProgram("ntfs-3g"), image, m_root};
      if (m_kind == VolumeKind::NtfsIgnoreCase)
        mount = {FindProgram("lowntfs-3g"), "-o", "ignore_case", image, m_root};
      return MakeImage(image, whyNot) &&
             RunTool({FindProgram("mkntfs"), "-F", "-q", "-f", image}, whyNot) &&
             Mount(mount, whyNot);
    }
    case VolumeKind::Fat:
      m_image = image;
      return MakeImage(image, whyNot) && RunTool({FindProgram("mkfs.fat"), image}, whyNot) &&
             Mount({FindProgram("fusefat"), "-o", "rw+", image, m_root}, whyNot);
    case VolumeKind::Bindfs:
      if (::mkdir(source.c_str(), 0755) != 0) {
        *whyNot = "cannot make " + source;
        return false;
      }
      return Mount({FindProgram("bindfs"), source, m_root}, whyNot);
    case VolumeKind::Sshfs: {
      // sshfs runs its ssh command with ssh's arguments; this one ignores
      // them and speaks SFTP on its standard input and output, as sshd
      // would start the server for a real share.
      const std::string server = m_workDir + "/sftp-server.sh";
      std::ofstream(server) << "exec /usr/lib/openssh/sftp-server\n";
      if (::mkdir(source.c_str(), 0755) != 0) {
        *whyNot = "cannot make " + source;
        return false;
      }
      return Mount({FindProgram("sshfs"), "-o", "ssh_command=/bin/sh " + server,
                    "localhost:" + source, m_root},
                   whyNot);
    }
    case VolumeKind::Ext4:
      m_image = image;
      return MakeImage(image, whyNot) &&
             RunTool({FindProgram("mkfs.ext4"), "-q", "-F", image}, whyNot) && AttachLoop(whyNot) &&
             Mount({FindProgram("mount"), m_loop, m_root}, whyNot);
  }
  return false;
}

bool ScratchVolume::AttachLoop(std::string* whyNot) {
  std::string output;
  const ExitStatus status =
      RunCapturing({FindProgram("losetup"), "-f", "--show", m_image}, &output, kToolLimit);
  if (!status.Exited(0) || !output.starts_with("/dev/")) {
    *whyNot = "no loop device for the image (losetup " + status.Describe() + ": " + output + ")";
    return false;
  }
  m_loop = output.substr(0, output.find('\n'));
  MountGuard::ForThisProcess().AddLoop(m_loop);
  return true;
}

bool ScratchVolume::Mount(const std::vector<std::string>& argv, std::string* whyNot) {
  // Recorded before it is made: a death in between leaves nothing behind.
  MountGuard::ForThisProcess().AddMount(m_root);
  m_mounted = true;
  const std::string serverLog = m_root + "-server.log";
  const ExitStatus status = Run(argv, {serverLog, serverLog}, kToolLimit);
  // A FUSE server mounts before it leaves for the background; wait all
  // the same, in case one mounts after.
  for (int tries = 0; tries < 300 && status.Exited(0) && !IsMountPoint(m_root); ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  if (status.Exited(0) && IsMountPoint(m_root)) return true;
  *whyNot =
      "mounting refused: " + argv[0] + " " + status.Describe() + ": " + ReadWholeFile(serverLog);
  return false;
}

bool ScratchVolume::Unmount(std::string* error) {
  bool clean = true;
  if (m_mounted) {
    const std::string umount = FindProgram("umount");
    bool done = false;
    // Busy for a moment after a killed tool or a server still flushing.
    for (int tries = 0; tries < 50 && !done; ++tries) {
      if (tries > 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
      done = Run({umount, m_root}, {}, kToolLimit).Exited(0) || !IsMountPoint(m_root);
    }
    if (!done) {
      *error = "could not unmount " + m_root + "; unmounted lazily";
      Run({umount, "-l", m_root}, {}, kToolLimit);
      clean = false;
    }
    MountGuard::ForThisProcess().RemoveMount(m_root);
    m_mounted = false;
  }
  if (!m_loop.empty()) {
    // A FUSE server lets go of its loop device only once it has left.
    if (!RunUntilDone({FindProgram("losetup"), "-d", m_loop}, 300)) {
      *error += " could not detach " + m_loop;
      clean = false;
    }
    MountGuard::ForThisProcess().RemoveLoop(m_loop);
    m_loop.clear();
  }
  return clean;
}

}  // namespace kalvenor::proofs
