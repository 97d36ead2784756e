#include "tool_runner.h"

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace kalvenor::proofs {
namespace {

constexpr auto kToolLimit = std::chrono::seconds(300);

// How many times strace's output says the tool stopped.
int StopsIn(const std::string& straceOutput) {
  int stops = 0;
  for (std::size_t at = 0;
       (at = straceOutput.find("--- stopped by SIGSTOP", at)) != std::string::npos; ++at) {
    ++stops;
  }
  return stops;
}

// The one child of process `parent` (the tool strace started); -1 while
// there is none.
pid_t OnlyChildOf(pid_t parent) {
  const std::string path =
      "/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) + "/children";
  const std::string children = ReadWholeFile(path);
  return children.empty() ? -1 : static_cast<pid_t>(std::stol(children));
}

// strace running `tool` with `args`, tracing only `calls` and injecting
// `inject` into them, its own output thrown away.
std::vector<std::string> QuietlyTraced(const std::string& strace, const std::string& calls,
                                       const std::string& inject, const std::string& tool,
                                       const std::vector<std::string>& args) {
  std::vector<std::string> argv = {strace,           "-f", "-qq",  "-o", "/dev/null", "-e",
                                   "trace=" + calls, "-e", inject, tool};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

}  // namespace

bool UndoSeries::Clean() const {
  if (statuses.empty() || !statuses.back().Exited(1)) return false;
  for (std::size_t i = 0; i + 1 < statuses.size(); ++i)
    if (!statuses[i].Exited(0)) return false;
  return true;
}

std::string UndoSeries::Describe() const {
  std::string text = std::to_string(statuses.size()) + " undo(s):";
  for (const ExitStatus& status : statuses) text += " " + status.Describe() + ";";
  return text + " errors: " + (errors.empty() ? "none" : errors);
}

ExitStatus StoppedTool::Finish() {
  const auto deadline = std::chrono::steady_clock::now() + kToolLimit;
  ::kill(m_tool, SIGCONT);
  while (!m_strace.Ended() && std::chrono::steady_clock::now() < deadline) {
    const int stops = StopsIn(ReadWholeFile(m_trace));
    if (stops > m_stops) {
      m_stops = stops;
      ::kill(m_tool, SIGCONT);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return m_strace.Wait(kToolLimit);
}

ToolRunner::ToolRunner(std::string tool, std::string workDir)
    : m_tool(std::move(tool)), m_workDir(std::move(workDir)), m_strace(FindProgram("strace")) {}

std::string ToolRunner::WhyNotHere() {
  const std::string strace = FindProgram("strace");
  if (strace.empty()) return "needs strace (Debian: strace)";
  // A container may forbid tracing.
  static const bool kTraces =
      proofs::Run({strace, "-f", "-qq", "-o", "/dev/null", FindProgram("true")}).Exited(0);
  return kTraces ? "" : "strace cannot trace programs here (ptrace not allowed)";
}

ExitStatus ToolRunner::Run(const std::vector<std::string>& args, std::string* err) const {
  std::vector<std::string> argv = {m_tool};
  argv.insert(argv.end(), args.begin(), args.end());
  const std::string errPath = m_workDir + "/tool.err";
  const ExitStatus status = proofs::Run(argv, {m_workDir + "/tool.out", errPath}, kToolLimit);
  if (err != nullptr) *err = ReadWholeFile(errPath);
  return status;
}

ExitStatus ToolRunner::Trace(const std::vector<std::string>& args,
                             std::vector<TracedCall>* calls) const {
  const std::string trace = m_workDir + "/tool.trace";
  // -s: whole strings, so that a write shows every line it holds.
  std::vector<std::string> argv = {m_strace, "-f", "-y", "-qq", "-s", "65536", "-o", trace, m_tool};
  argv.insert(argv.end(), args.begin(), args.end());
  const ExitStatus status =
      proofs::Run(argv, {m_workDir + "/tool.out", m_workDir + "/tool.err"}, kToolLimit);
  *calls = ReadTrace(ReadWholeFile(trace));
  return status;
}

Child ToolRunner::StartSlowed(const std::vector<std::string>& args,
                              std::chrono::microseconds delay) const {
  const std::string renames = "rename,renameat,renameat2";
  const std::vector<std::string> argv = QuietlyTraced(
      m_strace, renames, "inject=" + renames + ":delay_exit=" + std::to_string(delay.count()),
      m_tool, args);
  return Child(argv, {m_workDir + "/tool.out", m_workDir + "/tool.err"});
}

ExitStatus ToolRunner::RunKilledAt(const std::vector<std::string>& args,
                                   const TracedCall& at) const {
  const std::vector<std::string> argv = QuietlyTraced(
      m_strace, at.name, "inject=" + at.name + ":signal=KILL:when=" + std::to_string(at.occurrence),
      m_tool, args);
  return proofs::Run(argv, {m_workDir + "/tool.out", m_workDir + "/tool.err"}, kToolLimit);
}

std::unique_ptr<StoppedTool> ToolRunner::RunStoppedAfter(const std::vector<std::string>& args,
                                                         const CallMark& at,
                                                         std::string* whyNot) const {
  // The tool stops after every call of that name (a signal injected without
  // a fault comes on entering the call, and the kernel delivers SIGSTOP
  // once the call is done) and goes on until the marked one is done.
  const std::string trace = m_workDir + "/stop.trace";
  std::remove(trace.c_str());  // a stop seen in it must be this run's
  std::vector<std::string> argv = {m_strace, "-f",
                                   "-y",     "-qq",
                                   "-s",     "65536",
                                   "-o",     trace,
                                   "-e",     "trace=" + at.name,
                                   "-e",     "inject=" + at.name + ":signal=STOP:when=1+",
                                   m_tool};
  argv.insert(argv.end(), args.begin(), args.end());
  Child strace(argv, {m_workDir + "/tool.out", m_workDir + "/tool.err"});
  const auto deadline = std::chrono::steady_clock::now() + kToolLimit;
  int stopsSeen = 0;
  while (std::chrono::steady_clock::now() < deadline && !strace.Ended()) {
    const std::string output = ReadWholeFile(trace);
    const pid_t tool = OnlyChildOf(strace.Pid());
    if (tool <= 0 || StopsIn(output) == stopsSeen) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    ++stopsSeen;
    int matching = 0;
    for (const TracedCall& call : ReadTrace(output))
      matching += call.name == at.name && Signature(call) == at.signature ? 1 : 0;
    if (matching >= at.index)
      return std::make_unique<StoppedTool>(std::move(strace), tool, trace, stopsSeen);
    ::kill(tool, SIGCONT);
  }
  const std::string output = ReadWholeFile(trace);
  *whyNot = "the tool did not stop after " + at.Label() + " (" + strace.Wait().Describe() +
            "): it made no such call; it ended with\n" +
            output.substr(output.size() - std::min<std::size_t>(output.size(), 1500));
  return nullptr;
}

UndoSeries ToolRunner::UndoUntilDone(const std::string& log, int limit) const {
  UndoSeries series;
  for (int i = 0; i < limit; ++i) {
    std::string err;
    series.statuses.push_back(Run({"--undo-log", log}, &err));
    series.errors += err;
    if (!series.statuses.back().Exited(0)) break;
  }
  return series;
}

}  // namespace kalvenor::proofs
