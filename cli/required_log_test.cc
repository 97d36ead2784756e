#include "required_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "last_batch.h"
#include "rename_run.h"
#include "test_support.h"

namespace kalvenor {
namespace {

using testing::TempDir;

// A log that another holder takes after the tool's check: every open fails.
class LogTakenMeanwhile : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  int OpenLog(const std::string&, std::string*, FileId*) override { return -1; }
};

TEST(RequiredLogTest, ACommitWhoseLogCannotBeOpenedRenamesNothing) {
  TempDir dir;
  dir.MakeFile("a.jpg");
  dir.MakeFile("b.jpg");
  PosixFileSystem posix;
  LogTakenMeanwhile taken(posix);
  RequiredLog required(taken);
  testing::RunBench run(required);
  run.values.options.folder = dir.path();
  run.values.options.baseName = "Trip";
  run.logBox.path = dir.Join("held.log");
  EXPECT_TRUE(run.Run(true));
  EXPECT_TRUE(required.LogRefused());
  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_EQ(run.messages.shown[0].first, "Cannot open log file.");
  EXPECT_EQ(run.results.lines, (std::vector<std::string>{"Operations complete."}));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_TRUE(run.batch.Empty());
}

TEST(RequiredLogTest, AnOpenedLogOrNoLogLeavesTheRunAlone) {
  for (const bool withLog : {true, false}) {
    TempDir dir, logDir;
    dir.MakeFile("a.jpg");
    PosixFileSystem posix;
    RequiredLog required(posix);
    testing::RunBench run(required);
    run.values.options.folder = dir.path();
    run.values.options.baseName = "Trip";
    run.values.options.postfix = false;
    if (withLog) run.logBox.path = logDir.Join("r.log");
    EXPECT_TRUE(run.Run(true));
    EXPECT_FALSE(required.LogRefused());
    EXPECT_TRUE(run.messages.shown.empty());
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"0000Trip.jpg"}));
  }
}

}  // namespace
}  // namespace kalvenor
