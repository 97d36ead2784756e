// On each FUSE file system: a logged commit is killed (SIGKILL, through
// strace's fault injection) just before every call by which it changes the
// disk, and so is an undo of a whole commit; after each kill, undos from the
// log run until nothing is left, and the folder must then hold exactly the
// names and bytes it began with: nothing lost, nothing added, nothing left
// renamed. The log lies in the folder itself (on the volume, where it is
// listed with the files) or off the volume.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "proof_fixture.h"

namespace kalvenor::proofs {
namespace {

using CrashAtEveryStep = VolumeProof;

enum class Phase { Commit, Undo };

// Kills the commit, or the undo of a whole commit, at each of its steps
// and brings the folder back; a failure per step that did not come back.
void KillAtEveryStep(const ToolRunner& tool, Phase phase, const std::string& folder,
                     const std::string& log, std::vector<std::string>& failures, int* points,
                     int* missed) {
  const std::vector<std::string> commit = CommitArgs(folder, log);
  const std::vector<std::string> undo = {"--undo-log", log};
  const auto reset = [&] {
    WriteContents(folder, SmallBatch());
    std::filesystem::remove(log);
  };
  reset();
  // As the volume lists it (lowntfs-3g's ignore_case lists every name in
  // lower case).
  const FolderContents start = ReadContents(folder);
  // What is left when the undos are done: the folder as it began, and the
  // log under its own name.
  const auto expected = [&] {
    FolderContents want = start;
    if (log.starts_with(folder + "/") && std::filesystem::exists(log))
      want[log.substr(folder.size() + 1)] = ReadWholeFile(log);
    return want;
  };

  reset();
  if (phase == Phase::Undo) tool.Run(commit);
  std::vector<TracedCall> calls;
  const ExitStatus traced = tool.Trace(phase == Phase::Commit ? commit : undo, &calls);
  const std::vector<TracedCall> steps = ChangesUnder(calls, {folder, log});
  if (steps.empty()) {
    failures.push_back("the traced run (" + traced.Describe() + ") changed nothing");
    return;
  }
  *points += static_cast<int>(steps.size());
  for (const TracedCall& step : steps) {
    reset();
    if (phase == Phase::Undo) tool.Run(commit);
    const ExitStatus killed = tool.RunKilledAt(phase == Phase::Commit ? commit : undo, step);
    const UndoSeries undos = std::filesystem::exists(log) ? tool.UndoUntilDone(log) : UndoSeries{};
    // A run that groups its writes by the time a sync takes may make
    // fewer of them than the traced run did: the kill then misses, and the
    // round proves only that a whole run comes back.
    *missed += killed.Killed() ? 0 : 1;
    const std::string differences = Differences(expected(), ReadContents(folder));
    const bool undosClean = undos.statuses.empty() || undos.Clean();
    if (differences.empty() && undosClean) continue;
    failures.push_back(
        std::string(phase == Phase::Commit ? "commit" : "undo") +
        (killed.Killed() ? " killed at " : " not killed (" + killed.Describe() + ") at ") +
        step.Label() + " (" + step.text.substr(0, 160) +
        "): " + (undosClean ? "" : undos.Describe() + "; ") + differences);
  }
}

void CheckEveryStep(const ToolRunner& tool, const std::string& what, const std::string& folder,
                    const std::string& log) {
  std::vector<std::string> failures;
  int points = 0, missed = 0;
  KillAtEveryStep(tool, Phase::Commit, folder, log, failures, &points, &missed);
  KillAtEveryStep(tool, Phase::Undo, folder, log, failures, &points, &missed);
  std::printf("%s: %d kill points (%d not reached), %zu did not come back\n", what.c_str(), points,
              missed, failures.size());
  EXPECT_LE(2 * missed, points) << "most kill points were not reached: the runs differ from "
                                   "their traced run";
  std::string shown;
  for (std::size_t i = 0; i < failures.size() && i < 6; ++i) shown += failures[i] + "\n";
  EXPECT_TRUE(failures.empty()) << failures.size() << " of " << points
                                << " kill points did not come back, e.g.\n"
                                << shown;
}

TEST_P(CrashAtEveryStep, WithTheLogInTheFolder) {
  CheckEveryStep(*m_tool, std::string(TraitsOf(Kind()).name) + ", log in the folder", OnVolume("p"),
                 OnVolume("p/k.log"));
}

TEST_P(CrashAtEveryStep, WithTheLogOffTheVolume) {
  CheckEveryStep(*m_tool, std::string(TraitsOf(Kind()).name) + ", log off the volume",
                 OnVolume("p"), OffVolume("k.log"));
}

INSTANTIATE_TEST_SUITE_P(Fuse, CrashAtEveryStep, ::testing::ValuesIn(FuseKinds()), KindName);

}  // namespace
}  // namespace kalvenor::proofs
