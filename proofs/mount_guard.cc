#include "mount_guard.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_process.h"

namespace kalvenor::proofs {
namespace {

// The guard's life: read the records until the proofs' end of the pipe
// closes, then take back what is left. Runs in a process of its own.
[[noreturn]] void GuardMain(int records) {
  std::vector<std::string> mounts, loops, folders;
  std::string pending;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(records, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
      const char what = pending[0];
      const std::string path = pending.substr(1, end - 1);
      pending.erase(0, end + 1);
      const char kind = static_cast<char>(what | 0x20);  // 'M' and 'm' are one kind
      std::vector<std::string>& list = kind == 'm' ? mounts : kind == 'l' ? loops : folders;
      if (what == 'M' || what == 'L' || what == 'D') {
        list.push_back(path);
      } else if (const auto found = std::find(list.rbegin(), list.rend(), path);
                 found != list.rend()) {
        list.erase(std::next(found).base());
      }
    }
  }
  const std::string umount = FindProgram("umount");
  const std::string losetup = FindProgram("losetup");
  for (auto mount = mounts.rbegin(); mount != mounts.rend(); ++mount)
    Run({umount, "-l", *mount}, {}, std::chrono::seconds(60));
  // A FUSE server lets go of its loop device only once it has left.
  for (const std::string& loop : loops) RunUntilDone({losetup, "-d", loop}, 600);
  // Never into a mount that is somehow still there.
  for (const std::string& folder : folders)
    Run({FindProgram("rm"), "-rf", "--one-file-system", folder}, {}, std::chrono::seconds(60));
  ::_exit(0);
}

}  // namespace

MountGuard::MountGuard() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the mount guard");
  // Two forks: the guard is then a child of init, not of the proofs, so
  // that whoever kills the proofs' process tree (a ctest timeout) leaves it
  // alone to clean up after them.
  const pid_t first = ::fork();
  if (first < 0) throw std::runtime_error("cannot start the mount guard");
  if (first == 0) {
    ::setsid();
    if (::fork() != 0) ::_exit(0);
    ::signal(SIGINT, SIG_IGN);
    ::signal(SIGTERM, SIG_IGN);
    ::signal(SIGHUP, SIG_IGN);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::dup2(ends[0], 3);
    ::close_range(4, ~0U, 0);
    GuardMain(3);
  }
  ::close(ends[0]);
  int status = 0;
  ::waitpid(first, &status, 0);
  m_pipe = ends[1];
}

MountGuard::~MountGuard() { ::close(m_pipe); }

MountGuard& MountGuard::ForThisProcess() {
  static MountGuard guard;
  return guard;
}

void MountGuard::Tell(char what, const std::string& path) {
  const std::string record = what + path + "\n";
  // One write of a few hundred bytes to a pipe is atomic.
  if (::write(m_pipe, record.data(), record.size()) != static_cast<ssize_t>(record.size()))
    std::perror("mount guard");
}

}  // namespace kalvenor::proofs
