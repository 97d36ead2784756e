// A power cut in the middle of a logged commit on ext4. The kernel holds
// what it has not yet written to the disk (ext4 commits its journal every
// 5 s, or when a file is synced), so a copy of the disk image taken while
// the volume is mounted is the disk as a power cut at that moment would
// leave it. The commit runs under strace with each rename held a few
// milliseconds, so that it lasts seconds and the syncs of its log land
// between its renames; copies are taken at random moments within the span
// a first, undone commit took, each one checked and repaired by e2fsck as
// a boot would, mounted where the volume was, and undone from the log
// until nothing is left: every rename that survived the cut is undone, and
// every file is there with its bytes. Cuts must catch the commit midway,
// in at least two different states.
// KALVENOR_SEED and KALVENOR_ROUNDS (the number of cuts) repeat or widen
// a run; a failure prints the command that repeats it.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "child_process.h"
#include "folder_contents.h"
#include "mount_guard.h"
#include "scratch_volume.h"
#include "tool_runner.h"

namespace kalvenor::proofs {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFileCount = 300;
// Each rename of the commit is held this long once it is done, so that
// the commit spans a few seconds and the syncs of its log, each of which
// writes the renames made so far to the disk, fall between its cuts.
constexpr std::chrono::microseconds kRenameDelay(4000);

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtoul(value, nullptr, 10) : fallback;
}

std::string Reproduce(unsigned long seed, unsigned long rounds) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return "KALVENOR_SEED=" + std::to_string(seed) + " KALVENOR_ROUNDS=" + std::to_string(rounds) +
         " " + ::testing::internal::GetArgvs().front() +
         " --gtest_filter=" + info->test_suite_name() + "." + info->name();
}

// The bytes of the image as the disk holds them at one moment: read until
// two reads in a row agree, so that no write that landed during a read
// leaves the copy torn.
std::string ReadImageAtOnce(const std::string& image) {
  std::string last = ReadWholeFile(image);
  for (int tries = 0; tries < 50; ++tries) {
    std::string again = ReadWholeFile(image);
    if (again == last) break;
    last = std::move(again);
  }
  return last;
}

// Writes an image, leaving its zero blocks as holes.
void WriteSparse(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0) << path;
  constexpr std::size_t kBlock = 4096;
  const std::string zeros(kBlock, '\0');
  for (std::size_t at = 0; at < bytes.size(); at += kBlock) {
    const std::size_t n = std::min(kBlock, bytes.size() - at);
    if (bytes.compare(at, n, zeros, 0, n) == 0) continue;
    ASSERT_EQ(::pwrite(fd, bytes.data() + at, n, static_cast<off_t>(at)), static_cast<ssize_t>(n));
  }
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(bytes.size())), 0);
  ::close(fd);
}

// The folder as it stands, without the log when the log is in it.
FolderContents PhotosIn(const std::string& folder, const std::string& log) {
  FolderContents found = ReadContents(folder);
  if (log.starts_with(folder + "/")) found.erase(log.substr(folder.size() + 1));
  return found;
}

void CutPowerDuringACommit(const std::string& logRelative) {
  if (const std::string why = ToolRunner::WhyNotHere(); !why.empty()) GTEST_SKIP() << why;
  const unsigned long seed = EnvNumber("KALVENOR_SEED", 20261215);
  const unsigned long rounds = EnvNumber("KALVENOR_ROUNDS", 8);
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  ProofFolder work;
  std::string whyNot;
  std::unique_ptr<ScratchVolume> volume =
      ScratchVolume::Make(VolumeKind::Ext4, work.Path(), &whyNot);
  if (!volume) GTEST_SKIP() << "ext4: " << whyNot;
  const std::string root = volume->Root();
  const std::string folder = root + "/p";
  const std::string log = root + "/" + logRelative;
  const std::string image = volume->Image();
  ToolRunner tool(KALVENOR_CLI_PATH, work.Path());
  const std::vector<std::string> commitArgs = {"-b", "H", "-c", "-l", log, folder};
  // The log in the folder is a file of the folder: its own rename fails.
  const int committedStatus = log.starts_with(folder + "/") ? 3 : 0;

  FolderContents files;
  for (int i = 0; i < kFileCount; ++i)
    files["IMG_" + std::to_string(1000 + i) + (i % 3 == 0 ? ".JPG" : ".jpg")] =
        "photo " + std::to_string(i) + " " + std::to_string(random());
  WriteContents(folder, files);
  fs::create_directories(fs::path(log).parent_path());
  const FolderContents start = ReadContents(folder);

  // A first commit, undone at once, tells how long the commit takes here
  // and what it leaves.
  Clock::time_point began = Clock::now();
  const ExitStatus measured = tool.StartSlowed(commitArgs, kRenameDelay).Wait();
  const double span = std::chrono::duration<double>(Clock::now() - began).count();
  ASSERT_TRUE(measured.Exited(committedStatus)) << measured.Describe();
  const FolderContents end = PhotosIn(folder, log);
  ASSERT_NE(end, start);
  const UndoSeries undone = tool.UndoUntilDone(log);
  ASSERT_TRUE(undone.Clean()) << undone.Describe();
  ASSERT_EQ(Differences(start, PhotosIn(folder, log)), "");
  fs::remove(log);
  // The photos were on the disk long before the batch.
  const int rootFd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_EQ(::syncfs(rootFd), 0);
  ::close(rootFd);

  // The moments of the cuts, from the start of the commit: one at random
  // in each of `rounds` equal parts of the span the first one took, so
  // that they spread over the whole commit.
  std::vector<double> cuts;
  const double part = span / static_cast<double>(rounds);
  for (unsigned long i = 0; i < rounds; ++i)
    cuts.push_back(std::uniform_real_distribution<double>(0.0, part)(random) +
                   part * static_cast<double>(i));

  began = Clock::now();
  Child commit = tool.StartSlowed(commitArgs, kRenameDelay);
  std::vector<std::pair<double, std::string>> copies;  // moment, image copy
  std::set<std::size_t> seen;
  Clock::duration held{};  // how long the commit was held for copies
  for (const double at : cuts) {
    std::this_thread::sleep_until(began + held + std::chrono::duration<double>(at));
    // strace held still holds the tool at its next system call, so that
    // the disk stands still while it is read; a sync under way finishes.
    const Clock::time_point holding = Clock::now();
    ::kill(commit.Pid(), SIGSTOP);
    const std::string bytes = ReadImageAtOnce(image);
    ::kill(commit.Pid(), SIGCONT);
    held += Clock::now() - holding;
    if (!seen.insert(std::hash<std::string>()(bytes)).second) continue;  // as an earlier cut
    copies.emplace_back(at, work.Join("cut" + std::to_string(copies.size()) + ".img"));
    WriteSparse(copies.back().second, bytes);
  }
  const ExitStatus committed = commit.Wait();
  EXPECT_TRUE(committed.Exited(committedStatus)) << committed.Describe();
  std::string error;
  ASSERT_TRUE(volume->Unmount(&error)) << error;

  std::vector<std::string> failures;
  int withRenames = 0;
  std::set<FolderContents> midway;  // the states with some renames on the disk, not all
  for (const auto& [at, copy] : copies) {
    const std::string when = "cut at " + std::to_string(at) + " s: ";
    std::string fsckOutput;
    const ExitStatus fsck = RunCapturing({FindProgram("e2fsck"), "-fy", copy}, &fsckOutput);
    if (fsck.Killed() || fsck.code < 0 || fsck.code > 2) {
      failures.push_back(when + "e2fsck " + fsck.Describe() + ": " + fsckOutput);
      continue;
    }
    std::unique_ptr<ScratchVolume> cut =
        ScratchVolume::MountImage(VolumeKind::Ext4, copy, root, &whyNot);
    ASSERT_NE(cut, nullptr) << when << whyNot;
    FolderContents found = PhotosIn(folder, log);
    const bool renamed = found != start;
    withRenames += renamed ? 1 : 0;
    if (renamed && found != end) midway.insert(found);
    const UndoSeries undos = fs::exists(log) ? tool.UndoUntilDone(log) : UndoSeries{};
    const std::string differences = Differences(start, PhotosIn(folder, log));
    if (!differences.empty() || !(undos.statuses.empty() || undos.Clean())) {
      failures.push_back(when + (renamed ? "renames on the disk; " : "") +
                         (undos.statuses.empty() ? "no log; " : undos.Describe() + "; ") +
                         differences);
    }
    ASSERT_TRUE(cut->Unmount(&error)) << error;
  }
  std::printf(
      "%zu cuts in a %.1f s commit, %zu distinct disks, %d with renames on them, %zu of them "
      "midway, %zu not brought back\n",
      cuts.size(), span, copies.size(), withRenames, midway.size(), failures.size());
  std::string shown;
  for (std::size_t i = 0; i < failures.size() && i < 4; ++i) shown += failures[i] + "\n";
  EXPECT_TRUE(failures.empty()) << shown << "repeat with: " << Reproduce(seed, rounds);
  // Cuts that all fell before the first rename or after the last prove
  // nothing about a commit cut in its middle.
  EXPECT_GE(midway.size(), 2U) << "too few cuts caught the commit midway; repeat with: "
                               << Reproduce(seed, rounds);
}

TEST(PowerCut, WithTheLogInTheFolder) { CutPowerDuringACommit("p/k.log"); }

TEST(PowerCut, WithTheLogElsewhereOnTheDisk) { CutPowerDuringACommit("logs/k.log"); }

}  // namespace
}  // namespace kalvenor::proofs
