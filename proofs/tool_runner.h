// The built kalvenor-cli as the proofs run it: plainly, under strace to
// list its system calls, or under strace with a signal at one chosen call:
// SIGKILL on entering it (the call never happens: a crash just before it),
// or SIGSTOP once it is done (the tool waits there while the proof acts as
// another program would, then goes on). A stop is found by what the call
// acted on, so that calls that come in other numbers elsewhere (a wait
// that polls) do not move it. It also runs slowed, each rename held a
// moment, to be caught in the middle of a commit. The kill and the delay
// are strace's fault injection, so the tool runs as it is shipped, with
// no hook of any kind.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "syscall_trace.h"

namespace kalvenor::proofs {

// A series of undos from one log, run until one says nothing is left.
struct UndoSeries {
  std::vector<ExitStatus> statuses;
  std::string errors;  // what they wrote to standard error, in order
  // Every undo succeeded (status 0) until one had nothing left to undo
  // (status 1).
  bool Clean() const;
  std::string Describe() const;
};

// A tool stopped just after one call, waiting to go on.
class StoppedTool {
 public:
  // `trace`: strace's output, which tells each stop; `stops`: how many it
  // tells now.
  StoppedTool(Child strace, pid_t tool, std::string trace, int stops)
      : m_strace(std::move(strace)), m_tool(tool), m_trace(std::move(trace)), m_stops(stops) {}
  // Lets it go on, past every later stop, and waits for its end.
  ExitStatus Finish();

 private:
  Child m_strace;
  pid_t m_tool;
  std::string m_trace;
  int m_stops;
};

class ToolRunner {
 public:
  // `tool`: the kalvenor-cli to run; `workDir`: a folder of the proofs,
  // outside every volume, for the tool's output and strace's.
  ToolRunner(std::string tool, std::string workDir);

  // Why the runner cannot work here (no strace, or tracing forbidden);
  // empty when it can.
  static std::string WhyNotHere();

  // Runs the tool to its end; what it wrote to standard error in `*err`.
  ExitStatus Run(const std::vector<std::string>& args, std::string* err = nullptr) const;
  // Runs it to its end under strace; every call it made in `*calls`.
  ExitStatus Trace(const std::vector<std::string>& args, std::vector<TracedCall>* calls) const;
  // Runs it with SIGKILL on entering `at`.
  ExitStatus RunKilledAt(const std::vector<std::string>& args, const TracedCall& at) const;
  // Starts it, to stop just after the call `at` marks; null, with
  // `*whyNot`, when it ended without making that call.
  std::unique_ptr<StoppedTool> RunStoppedAfter(const std::vector<std::string>& args,
                                               const CallMark& at, std::string* whyNot) const;
  // Starts it under strace with every rename it makes held for `delay`
  // once the call is done: a run that does what a quick one does, only
  // slowly enough to be caught in its middle.
  Child StartSlowed(const std::vector<std::string>& args, std::chrono::microseconds delay) const;
  // Undoes from `log` until nothing is left, at most `limit` times.
  UndoSeries UndoUntilDone(const std::string& log, int limit = 8) const;

 private:
  std::string m_tool;
  std::string m_workDir;
  std::string m_strace;
};

}  // namespace kalvenor::proofs
