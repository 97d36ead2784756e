// The fault matrix: every cause a rename can fail with, injected through
// the file-system interface at the first, a middle and the last file of a
// commit and of an undo, and log writes failing at those points. After
// each, the outcome, the messages, the Results, the undo record and the
// disk must agree, and undos read back from the log must restore exactly
// the names and bytes the folder had.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "log_history.h"
#include "posix_file_system.h"
#include "rename_run.h"
#include "run_texts.h"
#include "test_support.h"
#include "undo_last.h"

namespace kalvenor {
namespace {

using testing::RunBench;
using testing::TempDir;
using Disk = std::map<std::string, std::string>;  // name -> bytes

constexpr int kFiles = 5;
constexpr int kPositions[] = {0, kFiles / 2, kFiles - 1};
// One error of each cause a failed rename is logged with.
constexpr int kErrors[] = {ENOENT, EINVAL, EMFILE, EACCES, EIO, EBUSY, ENOSPC};

// Fails the rename with the given number (0 first), the write that holds
// the log line with the given number (0 is the header), or every sync.
class Faults : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::error_code RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                  const std::string& to) override {
    if (m_renames++ == failRenameAt) return error;
    return FileSystemWrapper::RenameNoReplace(folder, from, to);
  }
  std::error_code AppendToLog(const LogHandle& log, std::string_view bytes) override {
    const int first = m_lines;
    m_lines += static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (first <= failLineAt && failLineAt < m_lines) return ErrorFromErrno(EIO);
    return FileSystemWrapper::AppendToLog(log, bytes);
  }
  std::error_code SyncLog(const LogHandle& log) override {
    return failSyncs ? ErrorFromErrno(EIO) : FileSystemWrapper::SyncLog(log);
  }
  int failRenameAt = -1;
  int failLineAt = -1;
  bool failSyncs = false;
  std::error_code error;

 private:
  int m_renames = 0;
  int m_lines = 0;
};

class RecoveryMatrix : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  // The folder's files as they begin (the log keeps every earlier batch).
  void Reset() {
    for (int i = 0; i < kFiles; ++i)
      m_dir.MakeFile("f" + std::to_string(i), "bytes" + std::to_string(i));
    m_start = Contents();
  }
  Disk Contents() const {
    Disk disk;
    for (const std::string& name : m_dir.Names()) disk[name] = m_dir.Read(name);
    return disk;
  }
  // How many files no longer have their first name.
  int Renamed() const {
    int count = 0;
    for (const auto& [name, bytes] : Contents()) count += m_start.count(name) == 0 ? 1 : 0;
    return count;
  }
  RunOutcome Commit(RunBench& run, LogSync sync = LogSync::WriteAhead) {
    run.options.logSync = sync;
    run.options.folder = m_dir.Path();
    run.options.baseName = "H";
    run.options.logPath = m_logDir.Join("run.log");
    run.options.logRequired = true;
    return run.Run(true);
  }
  // One --undo-log step through the run's file system: the batch the log
  // says is next.
  RunOutcome UndoFromLog(RunBench& run, std::size_t* size) {
    std::string error;
    const std::optional<std::string> text = m_fs.ReadFile(m_logDir.Join("run.log"), &error);
    EXPECT_TRUE(text) << error;
    const LogHistory history = ReadLogHistory(text.value_or(""));
    EXPECT_FALSE(history.error);
    const DiskTests disk = DiskTestsOn(m_fs);
    LastBatch batch = BatchToUndo(history, disk.exists, disk.relate);
    *size = batch.Size();
    if (batch.Empty()) return {};
    return UndoLastBatch(m_logDir.Join("run.log"), true, run.ctx, batch, /*fromLog=*/true);
  }
  // Undoes from the log until nothing is left; the folder must be as it began.
  void ExpectFullRecovery(const std::string& where) {
    for (int step = 0; step < 3; ++step) {
      RunBench run(m_fs);
      std::size_t size = 0;
      const RunOutcome outcome = UndoFromLog(run, &size);
      EXPECT_EQ(outcome.end, RunEnd::Done) << where;
      if (size == 0) break;
    }
    EXPECT_EQ(Contents(), m_start) << where;
  }

  TempDir m_dir;
  TempDir m_logDir;
  PosixFileSystem m_fs;
  Disk m_start;
};

TEST_F(RecoveryMatrix, ACommitFailingAnywhereIsUndoneExactly) {
  for (const int error : kErrors) {
    for (const int at : kPositions) {
      Reset();
      const std::string where =
          std::string(CauseText(CauseFromErrno(error))) + " at rename " + std::to_string(at);
      Faults faults(m_fs);
      faults.failRenameAt = at;
      faults.error = ErrorFromErrno(error);
      RunBench run(faults);
      const std::size_t logBefore = m_logDir.Read("run.log").size();
      const RunOutcome outcome = Commit(run);
      EXPECT_EQ(outcome.end, RunEnd::RenameFailed) << where;
      EXPECT_EQ(outcome.failedName, "f" + std::to_string(at)) << where;
      // The system's error and the file reach the caller unchanged.
      EXPECT_EQ(outcome.failure.error, faults.error) << where;
      EXPECT_EQ(outcome.failure.path, m_dir.Join(outcome.failedName)) << where;
      ASSERT_EQ(run.messages.shown.size(), 1u) << where;
      EXPECT_EQ(run.messages.shown[0].first, RenameErrorText(CauseFromErrno(error))) << where;
      EXPECT_EQ(run.messages.failures[0].error, faults.error) << where;
      EXPECT_EQ(run.results.lines.size(), static_cast<std::size_t>(at + 2)) << where;
      EXPECT_EQ(run.batch.Size(), static_cast<std::size_t>(at)) << where;
      EXPECT_EQ(Renamed(), at) << where;
      // The lines written ahead of renames never tried are taken back, and
      // the failed one is followed by the line that says so.
      const std::string log = m_logDir.Read("run.log").substr(logBefore);
      EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), at + 3) << where;
      EXPECT_TRUE(log.ends_with(
          " was not renamed: " + std::string(CauseText(CauseFromErrno(error))) + "\n"))
          << where;
      ExpectFullRecovery(where);
    }
  }
}

// Written one line before each rename, the commit stops at the line that
// failed; written ahead (the whole small batch in one group), at the group,
// before its first rename, also when the group's sync fails.
TEST_F(RecoveryMatrix, ALogWriteFailingAnywhereStopsTheCommitAndIsUndoneExactly) {
  for (const LogSync sync : {LogSync::Never, LogSync::WriteAhead}) {
    for (const int at : kPositions) {
      for (const bool syncFails : {false, true}) {
        if (syncFails && (sync == LogSync::Never || at > 0)) continue;
        Reset();
        const std::string where = "log line " + std::to_string(at) +
                                  (sync == LogSync::Never ? ", unsynced" : ", written ahead") +
                                  (syncFails ? ", sync fails" : "");
        Faults faults(m_fs);
        faults.failLineAt = syncFails ? -1 : at + 1;  // the header is line 0
        faults.failSyncs = syncFails;
        RunBench run(faults);
        const std::size_t logBefore = m_logDir.Read("run.log").size();
        const RunOutcome outcome = Commit(run, sync);
        EXPECT_EQ(outcome.end, RunEnd::LogWriteFailed) << where;
        ASSERT_EQ(run.messages.shown.size(), 1u) << where;
        EXPECT_EQ(run.messages.shown[0].first, CannotWriteLogText(m_logDir.Join("run.log")))
            << where;
        const int renamed = sync == LogSync::Never ? at : 0;
        EXPECT_EQ(run.batch.Size(), static_cast<std::size_t>(renamed)) << where;
        EXPECT_EQ(Renamed(), renamed) << where;  // never a rename without its line
        const std::string log = m_logDir.Read("run.log").substr(logBefore);
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), renamed + 1) << where;
        ExpectFullRecovery(where);
      }
    }
  }
}

TEST_F(RecoveryMatrix, AnUndoFailingAnywhereIsFinishedByTheNextOne) {
  for (const int error : kErrors) {
    for (const int at : kPositions) {
      Reset();
      const std::string where =
          std::string(CauseText(CauseFromErrno(error))) + " at undo " + std::to_string(at);
      {
        RunBench run(m_fs);
        ASSERT_EQ(Commit(run).end, RunEnd::Done) << where;
      }
      ASSERT_EQ(Renamed(), kFiles);
      Faults faults(m_fs);
      faults.failRenameAt = at;
      faults.error = ErrorFromErrno(error);
      RunBench run(faults);
      std::size_t size = 0;
      const RunOutcome outcome = UndoFromLog(run, &size);
      EXPECT_EQ(size, static_cast<std::size_t>(kFiles)) << where;
      EXPECT_EQ(outcome.end, RunEnd::RenameFailed) << where;
      EXPECT_EQ(outcome.failure.error, faults.error) << where;
      ASSERT_EQ(run.messages.shown.size(), 1u) << where;
      EXPECT_EQ(run.messages.shown[0].first, RenameErrorText(CauseFromErrno(error))) << where;
      EXPECT_EQ(run.results.lines.size(), static_cast<std::size_t>(kFiles + 1)) << where;
      EXPECT_EQ(Renamed(), 1) << where;  // the undo goes on past a failure
      ExpectFullRecovery(where);
    }
  }
}

TEST_F(RecoveryMatrix, AnUndoLogWriteFailingAnywhereStillRestoresEverything) {
  for (const int at : kPositions) {
    Reset();
    const std::string where = "undo log line " + std::to_string(at);
    {
      RunBench run(m_fs);
      ASSERT_EQ(Commit(run).end, RunEnd::Done) << where;
    }
    Faults faults(m_fs);
    faults.failLineAt = at + 1;
    RunBench run(faults);
    std::size_t size = 0;
    EXPECT_EQ(UndoFromLog(run, &size).end, RunEnd::LogWriteFailed) << where;
    EXPECT_EQ(Contents(), m_start) << where;
    ExpectFullRecovery(where);
  }
}

}  // namespace
}  // namespace kalvenor
