// A proof that dies leaves no mount and no loop device behind: a child
// makes a FUSE mount and attaches a loop device, records both with a guard
// of its own and is killed before it can give them back; the guard takes
// them back.
#include "mount_guard.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include "child_process.h"
#include "scratch_volume.h"

namespace kalvenor::proofs {
namespace {

// Whether the loop device is attached to a file.
bool Attached(const std::string& device) {
  const std::string name = device.substr(device.rfind('/') + 1);
  return !ReadWholeFile("/sys/block/" + name + "/loop/backing_file").empty();
}

TEST(MountGuard, TakesBackWhatAProofThatDiedLeftBehind) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount";
  if (FindProgram("bindfs").empty() || FindProgram("losetup").empty())
    GTEST_SKIP() << "needs bindfs and losetup (Debian: bindfs mount)";
  if (::access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "no usable /dev/fuse";
  ProofFolder work;
  work.MakeDir("source");
  work.MakeDir("mnt");
  const std::string mountPoint = work.Join("mnt");
  std::ofstream(work.Join("disk.img")) << std::string(1 << 20, '\0');

  int report[2];
  ASSERT_EQ(::pipe2(report, O_CLOEXEC), 0);
  const pid_t proof = ::fork();
  if (proof == 0) {
    MountGuard guard;
    guard.AddMount(mountPoint);
    proofs::Run({FindProgram("bindfs"), work.Join("source"), mountPoint});
    std::string loop;
    RunCapturing({FindProgram("losetup"), "-f", "--show", work.Join("disk.img")}, &loop);
    loop = loop.substr(0, loop.find('\n'));
    if (loop.starts_with("/dev/")) guard.AddLoop(loop);
    const std::string line = (IsMountPoint(mountPoint) ? "mounted " : "none ") + loop + "\n";
    (void)::write(report[1], line.data(), line.size());
    ::raise(SIGKILL);
  }
  ::close(report[1]);
  std::string line;
  char buffer[256];
  for (ssize_t got; (got = ::read(report[0], buffer, sizeof buffer)) > 0;)
    line.append(buffer, static_cast<std::size_t>(got));
  ::close(report[0]);
  int status = 0;
  ::waitpid(proof, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_TRUE(line.starts_with("mounted /dev/")) << "the dying proof could not set up: " << line;
  const std::string loop = line.substr(8, line.find('\n') - 8);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while ((IsMountPoint(mountPoint) || Attached(loop)) &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(IsMountPoint(mountPoint));
  EXPECT_FALSE(Attached(loop)) << loop;
}

}  // namespace
}  // namespace kalvenor::proofs
