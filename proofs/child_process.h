// Other programs run by the proofs: the built tool (alone or under strace),
// the mkfs and mount tools, and the FUSE servers. A child never inherits a
// descriptor the proofs hold (they are all close-on-exec or closed before
// the program starts), so a server left running cannot keep the proofs'
// pipes open.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace kalvenor::proofs {

// How a program ended.
struct ExitStatus {
  int code = -1;          // its exit status, or -1 when a signal ended it
  int signal = 0;         // the signal that ended it, or 0
  bool timedOut = false;  // it ran past its time and was killed
  bool Exited(int wanted) const { return signal == 0 && !timedOut && code == wanted; }
  bool Killed() const { return signal != 0; }
  std::string Describe() const;
};

// Where a program's output goes: a file (created or truncated) or /dev/null.
struct Streams {
  std::string out = "/dev/null";
  std::string err = "/dev/null";
};

// A program started and not yet waited for. Killed and reaped when it goes.
class Child {
 public:
  Child() = default;
  Child(const std::vector<std::string>& argv, const Streams& streams);
  ~Child();
  Child(Child&& other) noexcept;
  Child& operator=(Child&&) = delete;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t Pid() const { return m_pid; }
  // Whether it ended (then reaped, and its status kept).
  bool Ended();
  // Waits for its end; past `limit` it is killed with SIGKILL.
  ExitStatus Wait(std::chrono::seconds limit = std::chrono::seconds(300));

 private:
  pid_t m_pid = -1;
  bool m_reaped = false;
  bool m_timedOut = false;
  int m_waitStatus = 0;
};

// Runs `argv` to its end (at most `limit`, then killed).
ExitStatus Run(const std::vector<std::string>& argv, const Streams& streams = {},
               std::chrono::seconds limit = std::chrono::seconds(300));

// Runs `argv` until it exits with status 0, at most `tries` times, a
// tenth of a second apart: for what may be busy for a moment (a loop
// device that its FUSE server is still closing). True when it succeeded.
bool RunUntilDone(const std::vector<std::string>& argv, int tries);

// Runs `argv` and gives its standard output and error, joined, in `*output`.
ExitStatus RunCapturing(const std::vector<std::string>& argv, std::string* output,
                        std::chrono::seconds limit = std::chrono::seconds(300));

// The path of the executable `program` on $PATH or in the sbin folders
// (where mkfs and losetup live, which a test runner's PATH may lack); a
// name with a '/' is taken as it is. Empty when there is none.
std::string FindProgram(const std::string& program);

// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace kalvenor::proofs
