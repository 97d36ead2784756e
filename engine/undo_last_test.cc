#include "undo_last.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "log_format.h"
#include "test_support.h"

namespace kalvenor {
namespace {

using testing::RunBench;
using testing::TempDir;
using Lines = std::vector<std::string>;

class UndoLastTest : public ::testing::Test {
 protected:
  UndoLastTest() : run(fs) {
    run.values.options.folder = dir.path();
    run.values.options.baseName = "Holiday";
    run.values.options.postfix = false;
    run.values.options.fillGaps = false;
  }
  void Undo() { UndoLastBatch(run.ctx, run.batch); }

  TempDir dir;
  TempDir logDir;
  PosixFileSystem fs;
  RunBench run;
};

TEST_F(UndoLastTest, RoundTripRestoresEveryNameAndEveryByte) {
  std::map<std::string, std::string> before = {
      {"IMG_1.jpg", "one"},
      {"IMG_2.jpg", "two"},
      {"\xff\xfe raw.jpg", "not utf-8"},
      {"line\nbreak.txt", "lf"},
      {"back\\slash \"q\" -dash", "bs"},
      {"README", "no extension"},
      {"0005Holiday.png", "already in the series"},
  };
  for (const auto& [name, content] : before) dir.MakeFile(name, content);
  run.logBox.path = logDir.Join("run.log");
  ASSERT_TRUE(run.Run(true));
  ASSERT_EQ(run.batch.Size(), 6u);
  EXPECT_TRUE(dir.Exists("0010Holiday."));  // README, with its final dot
  const Lines oldPaths = run.batch.OldPaths();
  const Lines newPaths = run.batch.NewPaths();

  Undo();
  EXPECT_TRUE(run.messages.shown.empty());
  EXPECT_TRUE(run.batch.Empty());
  Lines names;
  for (const auto& [name, content] : before) {
    names.push_back(name);
    EXPECT_EQ(dir.Read(name), content) << name;
  }
  EXPECT_EQ(dir.Names(), names);

  // The log holds the batch, then the undo, each line parsable back.
  const std::string log = logDir.Read("run.log");
  Lines lines;
  for (std::size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(log.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(ClassifyLogLine(lines[0]), LogHeader::Batch);
  EXPECT_EQ(ClassifyLogLine(lines[7]), LogHeader::Undo);
  for (std::size_t i = 0; i < 6; ++i) {
    const std::string& renamed = lines[1 + i];
    const std::size_t to = renamed.find(kRenamedTo);
    ASSERT_NE(to, std::string::npos);
    EXPECT_EQ(UnescapeLogPath(renamed.substr(0, to)), oldPaths[i]);
    EXPECT_EQ(UnescapeLogPath(renamed.substr(to + kRenamedTo.size())), newPaths[i]);
    const std::string& back = lines[8 + i];
    const std::size_t mid = back.find(kRenamedBackTo);
    ASSERT_NE(mid, std::string::npos);
    EXPECT_EQ(UnescapeLogPath(back.substr(0, mid)), newPaths[i]);
    EXPECT_EQ(UnescapeLogPath(back.substr(mid + kRenamedBackTo.size())), oldPaths[i]);
  }
}

TEST_F(UndoLastTest, ResultsShowNewThenOldNamesInBatchOrder) {
  dir.MakeFile("IMG_1.jpg");
  dir.MakeFile("IMG_2.jpg");
  ASSERT_TRUE(run.Run(true));
  Undo();
  EXPECT_EQ(run.results.lines, (Lines{"0001Holiday.jpg -> IMG_1.jpg", "0002Holiday.jpg -> IMG_2.jpg",
                                      "Operations complete."}));
  EXPECT_EQ(run.results.scrolledTo, 2);
  EXPECT_EQ(run.results.redrawCalls.back(), true);
  EXPECT_EQ(dir.Names(), (Lines{"IMG_1.jpg", "IMG_2.jpg"}));
}

TEST_F(UndoLastTest, FailuresAreReportedAndTheRestIsRenamedBack) {
  for (const char* name : {"a", "b", "c"}) dir.MakeFile(name);
  ASSERT_TRUE(run.Run(true));
  ASSERT_EQ(::unlink(dir.Join("0001Holiday.").c_str()), 0);  // a's file deleted since
  dir.MakeFile("b", "new file under b's old name");
  run.logBox.path = logDir.Join("undo.log");
  Undo();
  ASSERT_EQ(run.messages.shown.size(), 2u);
  EXPECT_EQ(run.messages.shown[0].first, "Rename error: file not found.");
  EXPECT_EQ(run.messages.shown[1].first, "Rename error: access denied.");
  EXPECT_EQ(run.results.lines.size(), 4u);
  EXPECT_EQ(dir.Names(), (Lines{"0002Holiday.", "b", "c"}));
  EXPECT_EQ(dir.Read("b"), "new file under b's old name");
  EXPECT_TRUE(run.batch.Empty());
  // Every entry has its undo line, also those that failed.
  const std::string log = logDir.Read("undo.log");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
}

TEST_F(UndoLastTest, EmptyBatchWritesOnlyTheUndoHeader) {
  run.logBox.path = logDir.Join("undo.log");
  Undo();
  EXPECT_EQ(run.results.lines, (Lines{"Operations complete."}));
  EXPECT_EQ(ClassifyLogLine(logDir.Read("undo.log")), LogHeader::Undo);
  EXPECT_EQ(run.logBox.setCalls.size(), 1u);
}

TEST_F(UndoLastTest, LogThatCannotBeOpenedIsReportedOnceAndFilesStillComeBack) {
  dir.MakeFile("a");
  ASSERT_TRUE(run.Run(true));
  run.logBox.path = logDir.Join("missing/undo.log");
  run.logBox.title = "kept";
  Undo();
  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_EQ(run.messages.shown[0].first, "Cannot open log file.");
  EXPECT_EQ(run.logBox.title, "kept");  // the undo sets no title from the typed path
  EXPECT_EQ(dir.Names(), (Lines{"a"}));
}

// Log writes fail from the n-th on, as on a full disk.
class FullDisk : public FileSystemWrapper {
 public:
  FullDisk(FileSystem& target, int failFrom) : FileSystemWrapper(target), failFrom_(failFrom) {}
  Cause AppendToLog(int log, std::string_view bytes) override {
    if (++writes_ >= failFrom_) return Cause::Unspecified;
    return FileSystemWrapper::AppendToLog(log, bytes);
  }

 private:
  int failFrom_;
  int writes_ = 0;
};

TEST_F(UndoLastTest, FullDiskDuringUndoIsReportedOnceAndTheUndoGoesOn) {
  for (const char* name : {"a", "b", "c"}) dir.MakeFile(name);
  ASSERT_TRUE(run.Run(true));
  FullDisk full(fs, 2);  // header written, first undo line fails
  RunBench injected(full);
  injected.batch = run.batch;
  injected.logBox.path = logDir.Join("undo.log");
  UndoLastBatch(injected.ctx, injected.batch);
  ASSERT_EQ(injected.messages.shown.size(), 1u);
  EXPECT_EQ(injected.messages.shown[0].first,
            "Cannot write to log file " + injected.logBox.path + ".");
  EXPECT_EQ(injected.messages.shown[0].second, MessageIcon::Exclamation);
  EXPECT_EQ(dir.Names(), (Lines{"a", "b", "c"}));
}

TEST_F(UndoLastTest, FullDiskDuringCommitStopsBeforeAnUnloggedRename) {
  for (const char* name : {"a", "b", "c"}) dir.MakeFile(name);
  FullDisk full(fs, 3);  // header and a's line written, b's line fails
  RunBench injected(full);
  injected.values.options = run.values.options;
  injected.logBox.path = logDir.Join("run.log");
  EXPECT_TRUE(injected.Run(true));
  ASSERT_EQ(injected.messages.shown.size(), 1u);
  EXPECT_EQ(injected.messages.shown[0].first,
            "Cannot write to log file " + injected.logBox.path + ".");
  EXPECT_EQ(injected.results.lines,
            (Lines{"a -> 0001Holiday.", "b -> 0002Holiday.", "Operations complete."}));
  EXPECT_EQ(dir.Names(), (Lines{"0001Holiday.", "b", "c"}));
  EXPECT_EQ(injected.batch.Size(), 1u);  // what was done stays undoable

  // A header that cannot be written stops the batch before its first rename.
  FullDisk noRoom(fs, 1);
  RunBench headerless(noRoom);
  headerless.values.options = run.values.options;
  headerless.logBox.path = logDir.Join("run.log");
  EXPECT_TRUE(headerless.Run(true));
  EXPECT_EQ(headerless.messages.shown.size(), 1u);
  EXPECT_EQ(dir.Names(), (Lines{"0001Holiday.", "b", "c"}));
  EXPECT_TRUE(headerless.batch.Empty());
}

TEST_F(UndoLastTest, PathBasedRenameRefusesToMoveBetweenFolders) {
  dir.MakeDir("sub");
  dir.MakeFile("a");
  EXPECT_FALSE(RenameOneFile(dir.Join("a"), dir.Join("sub/a"), run.ctx));
  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_EQ(run.messages.shown[0].first, "Rename error: bad path.");
  EXPECT_TRUE(RenameOneFile(dir.Join("a"), dir.Join("b"), run.ctx));
  EXPECT_EQ(dir.Names(), (Lines{"b", "sub"}));
}

}  // namespace
}  // namespace kalvenor
