// The randomized round trip: random folders of odd names (line breaks,
// backslashes, the log's own words, invalid UTF-8, leading dashes, several
// dots, series look-alikes in mixed case) among subfolders, links and
// FIFOs, random options; a preview must leave the folder as it was, a
// commit must keep every entry and its bytes, and an undo (the window's
// record or the log) must give back every name. Fast by default; longer by
// hand:  KALVENOR_SEED=<n> KALVENOR_ROUNDS=<n> kalvenor_engine_tests
//        --gtest_filter=RoundTrip.*
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "log_history.h"
#include "posix_file_system.h"
#include "presort.h"
#include "rename_run.h"
#include "test_support.h"
#include "undo_last.h"

namespace kalvenor {
namespace {

using testing::RunBench;
using testing::TempDir;
using Snapshot = std::map<std::string, std::string>;  // name -> kind and content

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::strtoul(value, nullptr, 10) : fallback;
}

Snapshot Take(const std::string& folder) {
  Snapshot shot;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    const auto status = entry.symlink_status();
    if (std::filesystem::is_symlink(status)) {
      shot[name] = "link " + std::filesystem::read_symlink(entry.path()).string();
    } else if (std::filesystem::is_directory(status)) {
      shot[name] = "folder";
    } else if (std::filesystem::is_fifo(status)) {
      shot[name] = "fifo";
    } else {
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      shot[name] = "file " + bytes.str();
    }
  }
  return shot;
}

// The contents alone, names left out: what a commit must keep.
std::multiset<std::string> Contents(const Snapshot& shot) {
  std::multiset<std::string> all;
  for (const auto& [name, content] : shot) all.insert(content);
  return all;
}

std::string RandomName(std::mt19937& random) {
  static const char* const kPieces[] = {
      "a",   "B",       ".",       "..",          "jpg",          "JPG",
      "-",   "--x",     " ",       "\n",          "\r",           "\\",
      "\\n", "\xff",    "\xe9",    "caf\xc3\xa9", "0001",         "h",
      "H",   "Holiday", "holiday", "0",           " renamed to ", " renamed back to ",
      "\t",  "~",       "x.tar.gz"};
  std::string name;
  const int pieces = 1 + static_cast<int>(random() % 5);
  for (int i = 0; i < pieces; ++i) name += kPieces[random() % std::size(kPieces)];
  if (name == "." || name == "..") name += "x";
  return name;
}

TEST(RoundTrip, PreviewCommitAndUndoKeepEveryNameAndByte) {
  const unsigned long seed = EnvNumber("KALVENOR_SEED", 20261208);
  const unsigned long rounds = EnvNumber("KALVENOR_ROUNDS", 40);
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  PosixFileSystem fs;
  std::size_t renamed = 0;  // over all rounds: the test must rename, not just look
  for (unsigned long round = 0; round < rounds; ++round) {
    const std::string again = "reproduce with KALVENOR_SEED=" + std::to_string(seed) +
                              " KALVENOR_ROUNDS=" + std::to_string(round + 1) +
                              " kalvenor_engine_tests --gtest_filter=RoundTrip.*";
    TempDir dir, logDir;
    const int entries = static_cast<int>(random() % 25);
    for (int i = 0; i < entries; ++i) {
      const std::string name = RandomName(random);
      const std::string path = dir.Join(name);
      if (std::filesystem::exists(std::filesystem::symlink_status(path))) continue;
      switch (random() % 8) {
        case 0: dir.MakeDir(name); break;
        case 1: ASSERT_EQ(::symlink("nowhere", path.c_str()), 0) << again; break;
        case 2: ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << again; break;
        default: dir.MakeFile(name, "bytes of " + name); break;
      }
    }
    RunBench run(fs);
    run.options.folder = dir.Path();
    const char* const kBases[] = {"H", "Holiday", "h x", "-"};
    run.options.baseName = kBases[random() % std::size(kBases)];
    run.options.baseIndex = static_cast<int>(random() % 12);
    run.options.postfix = random() % 2 == 0;
    run.options.sortType = kSortByName + static_cast<int>(random() % 3);
    run.options.ascending = random() % 2 == 0;
    run.options.fillGaps = random() % 2 == 0;
    run.options.logPath = logDir.Join("run.log");
    run.options.logRequired = true;

    const Snapshot before = Take(dir.Path());
    EXPECT_EQ(run.Run(false).end, RunEnd::Done) << again;
    ASSERT_EQ(Take(dir.Path()), before) << "preview changed the folder; " << again;

    const RunOutcome commit = run.Run(true);
    EXPECT_EQ(commit.end, RunEnd::Done) << again;
    EXPECT_TRUE(run.messages.shown.empty()) << again;
    const Snapshot after = Take(dir.Path());
    ASSERT_EQ(Contents(after), Contents(before)) << "commit lost or changed an entry; " << again;

    renamed += run.batch.Size();
    if (random() % 2 == 0) {
      ASSERT_EQ(UndoLastBatch("", false, run.ctx, run.batch).end, RunEnd::Done) << again;
    } else {
      std::string error;
      const LogHistory history =
          ReadLogHistory(fs.ReadFile(logDir.Join("run.log"), &error).value_or(""));
      ASSERT_FALSE(history.error) << *history.error << "; " << again;
      const DiskTests disk = DiskTestsOn(fs);
      LastBatch batch = BatchToUndo(history, disk.exists, disk.relate);
      EXPECT_EQ(batch.Size(), run.batch.Size()) << again;
      ASSERT_EQ(UndoLastBatch(logDir.Join("run.log"), true, run.ctx, batch, true).end, RunEnd::Done)
          << again;
      // Nothing is left to undo afterwards.
      const LogHistory undone =
          ReadLogHistory(fs.ReadFile(logDir.Join("run.log"), &error).value_or(""));
      const DiskTests now = DiskTestsOn(fs);
      EXPECT_TRUE(BatchToUndo(undone, now.exists, now.relate).Empty()) << again;
    }
    ASSERT_EQ(Take(dir.Path()), before) << "undo did not restore the folder; " << again;
  }
  EXPECT_GT(renamed, rounds * 3) << "seed " << seed;
}

}  // namespace
}  // namespace kalvenor
