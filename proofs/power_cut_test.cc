// A power cut during and shortly after a logged commit on ext4. The kernel
// holds what it has not yet written to the disk (ext4 commits its journal
// every 5 s, while a file's new bytes may wait 30 s), so a copy of the
// disk image taken while the volume is mounted is the disk as a power cut
// at that moment would leave it. Copies are taken at random moments, each
// one checked and repaired by e2fsck as a boot would, mounted where the
// volume was, and undone from the log until nothing is left: every rename
// that survived the cut is undone, and every file is there with its bytes.
// KALVENOR_SEED and KALVENOR_ROUNDS (the number of cuts) repeat or widen
// a run; a failure prints the command that repeats it.
#include <fcntl.h>
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
// Cuts fall within this time of the commit's start: past ext4's first
// journal commit (5 s) and well before its file data must go out (30 s).
constexpr double kCutWindowSeconds = 9.0;

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

void CutPowerDuringACommit(const std::string& logRelative) {
  const unsigned long seed = EnvNumber("KALVENOR_SEED", 20261215);
  const unsigned long rounds = EnvNumber("KALVENOR_ROUNDS", 6);
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

  FolderContents files;
  for (int i = 0; i < kFileCount; ++i)
    files["IMG_" + std::to_string(1000 + i) + (i % 3 == 0 ? ".JPG" : ".jpg")] =
        "photo " + std::to_string(i) + " " + std::to_string(random());
  WriteContents(folder, files);
  fs::create_directories(fs::path(log).parent_path());
  // The photos were on the disk long before the batch.
  const int rootFd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_EQ(::syncfs(rootFd), 0);
  ::close(rootFd);
  const FolderContents start = ReadContents(folder);

  // The moments of the cuts, from the start of the commit: one at random
  // in each of `rounds` equal spans of the window, so that they fall
  // during the commit, before the journal's first commit and after it.
  std::vector<double> cuts;
  const double span = kCutWindowSeconds / static_cast<double>(rounds);
  for (unsigned long i = 0; i < rounds; ++i)
    cuts.push_back(std::uniform_real_distribution<double>(0.0, span)(random) +
                   span * static_cast<double>(i));

  Child commit({KALVENOR_CLI_PATH, "-b", "H", "-c", "-l", log, folder},
               {work.Join("commit.out"), work.Join("commit.err")});
  const Clock::time_point began = Clock::now();
  std::vector<std::pair<double, std::string>> copies;  // moment, image copy
  std::set<std::size_t> seen;
  for (const double at : cuts) {
    std::this_thread::sleep_until(began + std::chrono::duration<double>(at));
    const std::string bytes = ReadImageAtOnce(image);
    if (!seen.insert(std::hash<std::string>()(bytes)).second) continue;  // as an earlier cut
    copies.emplace_back(at, work.Join("cut" + std::to_string(copies.size()) + ".img"));
    WriteSparse(copies.back().second, bytes);
  }
  const ExitStatus committed = commit.Wait();
  // The log in the folder is a file of the folder: its own rename fails.
  EXPECT_TRUE(committed.Exited(log.starts_with(folder + "/") ? 3 : 0)) << committed.Describe();
  std::string error;
  ASSERT_TRUE(volume->Unmount(&error)) << error;

  ToolRunner tool(KALVENOR_CLI_PATH, work.Path());
  std::vector<std::string> failures;
  int withRenames = 0;
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
    FolderContents found = ReadContents(folder);
    const bool renamed = std::any_of(found.begin(), found.end(), [&](const auto& entry) {
      return start.count(entry.first) == 0;
    });
    withRenames += renamed ? 1 : 0;
    const UndoSeries undos = fs::exists(log) ? tool.UndoUntilDone(log) : UndoSeries{};
    found = ReadContents(folder);
    if (log.starts_with(folder + "/")) found.erase(log.substr(folder.size() + 1));
    const std::string differences = Differences(start, found);
    if (!differences.empty() || !(undos.statuses.empty() || undos.Clean())) {
      failures.push_back(when + (renamed ? "renames on the disk; " : "") +
                         (undos.statuses.empty() ? "no log; " : undos.Describe() + "; ") +
                         differences);
    }
    ASSERT_TRUE(cut->Unmount(&error)) << error;
  }
  std::printf("%zu cuts, %zu distinct disks, %d with renames on them, %zu not brought back\n",
              cuts.size(), copies.size(), withRenames, failures.size());
  std::string shown;
  for (std::size_t i = 0; i < failures.size() && i < 4; ++i) shown += failures[i] + "\n";
  EXPECT_TRUE(failures.empty()) << shown << "repeat with: " << Reproduce(seed, rounds);
}

TEST(PowerCut, WithTheLogInTheFolder) { CutPowerDuringACommit("p/k.log"); }

TEST(PowerCut, WithTheLogElsewhereOnTheDisk) { CutPowerDuringACommit("logs/k.log"); }

}  // namespace
}  // namespace kalvenor::proofs
