#include "child_process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace kalvenor::proofs {

std::string ExitStatus::Describe() const {
  if (timedOut) return "ran too long and was killed";
  if (signal != 0) return std::string("killed by signal ") + ::strsignal(signal);
  return "status " + std::to_string(code);
}

Child::Child(const std::vector<std::string>& argv, const Streams& streams) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  m_pid = ::fork();
  if (m_pid != 0) return;
  // In the child: only async-signal-safe calls from here on.
  const int in = ::open("/dev/null", O_RDONLY);
  const int out = ::open(streams.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = ::open(streams.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
      ::dup2(err, 2) < 0) {
    ::_exit(121);
  }
  ::close_range(3, ~0U, 0);
  ::signal(SIGPIPE, SIG_DFL);
  ::execvp(args[0], args.data());
  ::_exit(127);
}

Child::Child(Child&& other) noexcept
    : m_pid(other.m_pid),
      m_reaped(other.m_reaped),
      m_timedOut(other.m_timedOut),
      m_waitStatus(other.m_waitStatus) {
  other.m_pid = -1;
}

Child::~Child() {
  if (m_pid > 0 && !m_reaped) {
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &m_waitStatus, 0);
  }
}

bool Child::Ended() {
  if (m_reaped) return true;
  if (m_pid <= 0) return true;
  if (::waitpid(m_pid, &m_waitStatus, WNOHANG) == m_pid) m_reaped = true;
  return m_reaped;
}

ExitStatus Child::Wait(std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  auto pause = std::chrono::microseconds(200);
  while (!Ended()) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(m_pid, SIGKILL);
      ::waitpid(m_pid, &m_waitStatus, 0);
      m_reaped = true;
      m_timedOut = true;
      break;
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(20000));
  }
  ExitStatus status;
  status.timedOut = m_timedOut;
  if (m_pid <= 0) return status;
  if (WIFEXITED(m_waitStatus)) status.code = WEXITSTATUS(m_waitStatus);
  if (WIFSIGNALED(m_waitStatus)) status.signal = WTERMSIG(m_waitStatus);
  return status;
}

ExitStatus Run(const std::vector<std::string>& argv, const Streams& streams,
               std::chrono::seconds limit) {
  Child child(argv, streams);
  return child.Wait(limit);
}

bool RunUntilDone(const std::vector<std::string>& argv, int tries) {
  for (int i = 0; i < tries; ++i) {
    if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (Run(argv, {}, std::chrono::seconds(60)).Exited(0)) return true;
  }
  return false;
}

ExitStatus RunCapturing(const std::vector<std::string>& argv, std::string* output,
                        std::chrono::seconds limit) {
  char path[] = "/tmp/kalvenor-proof-output-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd >= 0) ::close(fd);
  const ExitStatus status = Run(argv, {path, path}, limit);
  *output = ReadWholeFile(path);
  ::unlink(path);
  return status;
}

std::string FindProgram(const std::string& program) {
  if (program.find('/') != std::string::npos)
    return ::access(program.c_str(), X_OK) == 0 ? program : std::string();
  const char* path = std::getenv("PATH");
  std::istringstream folders(std::string(path != nullptr ? path : "/usr/bin:/bin") +
                             ":/usr/local/sbin:/usr/sbin:/sbin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::string candidate = folder + "/" + program;
    if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace kalvenor::proofs
