#include "undo_last.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
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
  UndoLastTest() : m_run(m_fs) {
    m_run.options.folder = m_dir.Path();
    m_run.options.baseName = "Holiday";
    m_run.options.postfix = false;
    m_run.options.fillGaps = false;
  }
  RunOutcome Undo() { return UndoLastBatch(m_run.options.logPath, false, m_run.ctx, m_run.batch); }

  TempDir m_dir;
  TempDir m_logDir;
  PosixFileSystem m_fs;
  RunBench m_run;
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
  for (const auto& [name, content] : before) m_dir.MakeFile(name, content);
  m_run.options.logPath = m_logDir.Join("m_run.log");
  ASSERT_EQ(m_run.Run(true).end, RunEnd::Done);
  ASSERT_EQ(m_run.batch.Size(), 6u);
  EXPECT_TRUE(m_dir.Exists("0010Holiday."));  // README, with its final dot
  const Lines oldPaths = m_run.batch.OldPaths();
  const Lines newPaths = m_run.batch.NewPaths();

  Undo();
  EXPECT_TRUE(m_run.messages.shown.empty());
  EXPECT_TRUE(m_run.batch.Empty());
  Lines names;
  for (const auto& [name, content] : before) {
    names.push_back(name);
    EXPECT_EQ(m_dir.Read(name), content) << name;
  }
  EXPECT_EQ(m_dir.Names(), names);

  // The log holds the batch, then the undo, each line parsable back.
  const std::string log = m_logDir.Read("m_run.log");
  Lines lines;
  for (std::size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos;
       start = end + 1) {
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
  m_dir.MakeFile("IMG_1.jpg");
  m_dir.MakeFile("IMG_2.jpg");
  ASSERT_EQ(m_run.Run(true).end, RunEnd::Done);
  Undo();
  EXPECT_EQ(m_run.results.lines, (Lines{"0001Holiday.jpg -> IMG_1.jpg",
                                        "0002Holiday.jpg -> IMG_2.jpg", "Operations complete."}));
  EXPECT_EQ(m_run.results.scrolledTo, 2);
  EXPECT_EQ(m_run.results.redrawCalls.back(), true);
  EXPECT_EQ(m_dir.Names(), (Lines{"IMG_1.jpg", "IMG_2.jpg"}));
}

TEST_F(UndoLastTest, FailuresAreReportedAndTheRestIsRenamedBack) {
  for (const char* name : {"a", "b", "c"}) m_dir.MakeFile(name);
  ASSERT_EQ(m_run.Run(true).end, RunEnd::Done);
  ASSERT_EQ(::unlink(m_dir.Join("0001Holiday.").c_str()), 0);  // a's file deleted since
  m_dir.MakeFile("b", "new file under b's old name");
  m_run.options.logPath = m_logDir.Join("undo.log");
  const RunOutcome outcome = Undo();
  EXPECT_EQ(outcome.end, RunEnd::RenameFailed);
  EXPECT_EQ(outcome.failedName, "0001Holiday.");  // the first that failed
  // The first failure, whole: the system's error, the file, its old name.
  EXPECT_EQ(outcome.failure.error, std::errc::no_such_file_or_directory);
  EXPECT_EQ(outcome.failure.path, m_dir.Join("0001Holiday."));
  EXPECT_EQ(outcome.failure.newPath, m_dir.Join("a"));
  ASSERT_EQ(m_run.messages.shown.size(), 2u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Rename error: file not found.");
  EXPECT_EQ(m_run.messages.shown[1].first, "Rename error: access denied.");
  EXPECT_EQ(m_run.messages.failures[1].error, std::errc::file_exists);
  EXPECT_EQ(m_run.results.lines.size(), 4u);
  EXPECT_EQ(m_dir.Names(), (Lines{"0002Holiday.", "b", "c"}));
  EXPECT_EQ(m_dir.Read("b"), "new file under b's old name");
  EXPECT_TRUE(m_run.batch.Empty());
  // Every entry has its undo line, also those that failed, each followed
  // by the line that says so.
  const std::string log = m_logDir.Read("undo.log");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6);
  EXPECT_NE(log.find(EscapeLogPath(m_dir.Join("0002Holiday.")) +
                     " was not renamed back: " + "access denied.\n"),
            std::string::npos);
}

TEST_F(UndoLastTest, EmptyBatchWritesOnlyTheUndoHeader) {
  m_run.options.logPath = m_logDir.Join("undo.log");
  const RunOutcome outcome = Undo();
  EXPECT_EQ(outcome.end, RunEnd::Done);
  EXPECT_EQ(outcome.logPath, m_logDir.Join("undo.log"));
  EXPECT_EQ(m_run.results.lines, (Lines{"Operations complete."}));
  EXPECT_EQ(ClassifyLogLine(m_logDir.Read("undo.log")), LogHeader::Undo);
}

TEST_F(UndoLastTest, LogThatCannotBeOpenedIsReportedOnceAndFilesStillComeBack) {
  m_dir.MakeFile("a");
  ASSERT_EQ(m_run.Run(true).end, RunEnd::Done);
  const LastBatch batch = m_run.batch;
  m_run.options.logPath = m_logDir.Join("missing/undo.log");
  const RunOutcome outcome = Undo();
  EXPECT_EQ(outcome.end, RunEnd::Done);
  EXPECT_EQ(outcome.logPath, "");
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Cannot open log file.");
  EXPECT_EQ(m_dir.Names(), (Lines{"a"}));

  // A required log (the tool's rule) that cannot be opened: nothing moves.
  ASSERT_EQ(m_run.Run(true).end, RunEnd::Done);
  m_run.messages.shown.clear();
  EXPECT_EQ(UndoLastBatch(m_run.options.logPath, true, m_run.ctx, m_run.batch).end,
            RunEnd::LogNotOpened);
  EXPECT_TRUE(m_run.messages.shown.empty());
  EXPECT_EQ(m_run.batch.Size(), batch.Size());
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday."}));
}

// Log writes fail from the one that holds the n-th line on (the header is
// the first), as on a full disk.
class FullDisk : public FileSystemWrapper {
 public:
  FullDisk(FileSystem& target, int failFrom) : FileSystemWrapper(target), m_failFrom(failFrom) {}
  std::error_code AppendToLog(const LogHandle& log, std::string_view bytes) override {
    m_lines += static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (m_lines >= m_failFrom) return ErrorFromErrno(ENOSPC);
    return FileSystemWrapper::AppendToLog(log, bytes);
  }

 private:
  int m_failFrom;
  int m_lines = 0;
};

TEST_F(UndoLastTest, FullDiskDuringUndoIsReportedOnceAndTheUndoGoesOn) {
  for (const char* name : {"a", "b", "c"}) m_dir.MakeFile(name);
  ASSERT_EQ(m_run.Run(true).end, RunEnd::Done);
  FullDisk full(m_fs, 2);  // header written, first undo line fails
  RunBench injected(full);
  injected.batch = m_run.batch;
  injected.options.logPath = m_logDir.Join("undo.log");
  const RunOutcome outcome =
      UndoLastBatch(injected.options.logPath, false, injected.ctx, injected.batch);
  EXPECT_EQ(outcome.end, RunEnd::LogWriteFailed);
  EXPECT_EQ(outcome.failure.error, std::errc::no_space_on_device);
  EXPECT_EQ(outcome.failure.path, injected.options.logPath);
  ASSERT_EQ(injected.messages.shown.size(), 1u);
  EXPECT_EQ(injected.messages.shown[0].first,
            "Cannot write to log file " + injected.options.logPath + ".");
  EXPECT_EQ(injected.messages.shown[0].second, MessageIcon::Exclamation);
  EXPECT_EQ(m_dir.Names(), (Lines{"a", "b", "c"}));
}

TEST_F(UndoLastTest, FullDiskDuringCommitStopsBeforeAnUnloggedRename) {
  for (const char* name : {"a", "b", "c"}) m_dir.MakeFile(name);
  // Written one line before each rename: a's line written, b's fails.
  FullDisk full(m_fs, 3);
  RunBench injected(full);
  injected.options = m_run.options;
  injected.options.logSync = LogSync::Never;
  injected.options.logPath = m_logDir.Join("m_run.log");
  EXPECT_EQ(injected.Run(true).end, RunEnd::LogWriteFailed);
  ASSERT_EQ(injected.messages.shown.size(), 1u);
  EXPECT_EQ(injected.messages.shown[0].first,
            "Cannot write to log file " + injected.options.logPath + ".");
  EXPECT_EQ(injected.results.lines,
            (Lines{"a -> 0001Holiday.", "b -> 0002Holiday.", "Operations complete."}));
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday.", "b", "c"}));
  EXPECT_EQ(injected.batch.Size(), 1u);  // what was done stays undoable

  // A header that cannot be written stops the batch before its first rename.
  FullDisk noRoom(m_fs, 1);
  RunBench headerless(noRoom);
  headerless.options = m_run.options;
  headerless.options.logPath = m_logDir.Join("m_run.log");
  EXPECT_EQ(headerless.Run(true).end, RunEnd::LogWriteFailed);
  EXPECT_EQ(headerless.messages.shown.size(), 1u);
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday.", "b", "c"}));
  EXPECT_TRUE(headerless.batch.Empty());
}

TEST_F(UndoLastTest, APairInTwoFoldersIsNeverMovedBetweenThem) {
  m_dir.MakeDir("sub");
  m_dir.MakeFile("a");
  m_run.batch.Add(m_dir.Join("sub/a"), m_dir.Join("a"));  // would move a into sub
  m_run.batch.Add(m_dir.Join("b"), m_dir.Join("a"));
  const RunOutcome outcome = Undo();
  EXPECT_EQ(outcome.end, RunEnd::RenameFailed);
  EXPECT_EQ(CauseOf(outcome.failure), Cause::BadPath);
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Rename error: bad path.");
  EXPECT_EQ(m_dir.Names(), (Lines{"b", "sub"}));
}

}  // namespace
}  // namespace kalvenor
