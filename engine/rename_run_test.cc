#include "rename_run.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "log_format.h"
#include "reservation_mark.h"
#include "run_log.h"
#include "test_support.h"
#include "undo_last.h"

namespace kalvenor {
namespace {

using testing::RunBench;
using testing::TempDir;
using Lines = std::vector<std::string>;

constexpr char kPreviewEnd[] = "Click Continue to do the above.";
constexpr char kCommitEnd[] = "Operations complete.";

class RenameRunTest : public ::testing::Test {
 protected:
  RenameRunTest() : m_run(m_fs) {
    m_run.options.folder = m_dir.Path();  // without the '/': the run adds it
    m_run.options.baseName = "Holiday";
    m_run.options.postfix = false;
    m_run.options.fillGaps = false;
  }
  std::string Path(const std::string& name) const { return m_dir.Path() + "/" + name; }
  // The lines of a log, without their line ends.
  static Lines LogLines(const TempDir& folder, const std::string& name) {
    Lines lines;
    std::string text = folder.Read(name);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "every line ends in a line feed";
    return lines;
  }

  TempDir m_dir;
  TempDir m_logDir;  // for logs that lie outside the renamed folder
  PosixFileSystem m_fs;
  RunBench m_run;
};

TEST_F(RenameRunTest, PreviewListsThePlanAndTouchesNothing) {
  m_dir.MakeFile("b.jpg");
  m_dir.MakeFile("a.jpg");
  m_dir.MakeFile("0003holiday.png");
  m_run.options.logPath = Path("never-created.log");
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines,
            (Lines{"0003holiday.png -> Not Renamed", "a.jpg -> 0004Holiday.jpg",
                   "b.jpg -> 0005Holiday.jpg", kPreviewEnd}));
  EXPECT_EQ(m_run.results.scrolledTo, 3);
  EXPECT_EQ(m_run.results.redrawCalls, (std::vector<bool>{false, true}));
  EXPECT_EQ(m_dir.Names(), (Lines{"0003holiday.png", "a.jpg", "b.jpg"}));
  EXPECT_TRUE(m_run.messages.shown.empty());
  EXPECT_FALSE(m_logDir.Exists("never-created.log"));
}

TEST_F(RenameRunTest, CommitRenamesLogsAndRecordsTheBatch) {
  m_dir.MakeFile("b.jpg", "bee");
  m_dir.MakeFile("a.jpg", "ay");
  m_run.options.logPath = m_logDir.Join("m_run.log");
  m_run.options.folder = m_dir.Path() + "/";
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines,
            (Lines{"a.jpg -> 0001Holiday.jpg", "b.jpg -> 0002Holiday.jpg", kCommitEnd}));
  EXPECT_EQ(m_dir.Read("0001Holiday.jpg"), "ay");
  EXPECT_EQ(m_dir.Read("0002Holiday.jpg"), "bee");
  EXPECT_EQ(m_run.batch.OldPaths(), (Lines{Path("a.jpg"), Path("b.jpg")}));
  EXPECT_EQ(m_run.batch.NewPaths(), (Lines{Path("0001Holiday.jpg"), Path("0002Holiday.jpg")}));
  const Lines log = LogLines(m_logDir, "m_run.log");
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(ClassifyLogLine(log[0]), LogHeader::Batch);
  EXPECT_EQ(log[1], Path("a.jpg") + " renamed to " + Path("0001Holiday.jpg"));
  EXPECT_EQ(log[2], Path("b.jpg") + " renamed to " + Path("0002Holiday.jpg"));
  EXPECT_TRUE(m_run.messages.shown.empty());
}

TEST_F(RenameRunTest, TwoCommitsAppendTwoBatchesAndARelativeLogPathIsResolved) {
  m_dir.MakeFile("a.jpg");
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(::chdir(m_logDir.Path().c_str()), 0);
  m_run.options.logPath = "m_run.log";
  const RunOutcome first = m_run.Run(true);
  ASSERT_EQ(::chdir(cwd), 0);
  EXPECT_EQ(first.end, RunEnd::Done);
  char* canonical = ::realpath(m_logDir.Path().c_str(), nullptr);
  ASSERT_NE(canonical, nullptr);
  EXPECT_EQ(first.logPath, std::string(canonical) + "/m_run.log");  // the log as opened
  std::free(canonical);
  m_run.options.logPath = first.logPath;

  m_dir.MakeFile("b.jpg");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  const Lines log = LogLines(m_logDir, "m_run.log");
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(ClassifyLogLine(log[0]), LogHeader::Batch);
  EXPECT_EQ(ClassifyLogLine(log[2]), LogHeader::Batch);
  EXPECT_EQ(log[3], Path("b.jpg") + " renamed to " + Path("0002Holiday.jpg"));
  EXPECT_EQ(m_run.batch.Size(), 1u);  // only the last batch is kept
}

TEST_F(RenameRunTest, NamesOfSubfoldersAndLinksToFoldersAreNeverHandedOut) {
  m_dir.MakeFile("a.jpg");
  m_dir.MakeFile("b.jpg");
  m_dir.MakeDir("0001Holiday.jpg");
  m_dir.MakeDir("target");
  ASSERT_EQ(::symlink("target", Path("0002Holiday.jpg").c_str()), 0);
  ASSERT_EQ(::symlink("missing", Path("dangling").c_str()), 0);  // a link to no folder is a file
  const Lines plan = {"a.jpg -> 0003Holiday.jpg", "b.jpg -> 0004Holiday.jpg",
                      "dangling -> 0005Holiday."};
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  Lines preview = plan;
  preview.push_back(kPreviewEnd);
  EXPECT_EQ(m_run.results.lines, preview);

  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  Lines done = plan;
  done.push_back(kCommitEnd);
  EXPECT_EQ(m_run.results.lines, done);
  EXPECT_TRUE(m_run.messages.shown.empty());
  EXPECT_EQ(m_run.batch.Size(), 3u);
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday.jpg", "0002Holiday.jpg", "0003Holiday.jpg",
                                  "0004Holiday.jpg", "0005Holiday.", "target"}));
}

TEST_F(RenameRunTest, HiddenFilesAreNumberedUnlessTheyAreKept) {
  for (const char* name : {".DS_Store", "Thumbs.db", "a.jpg", "desktop.ini"}) m_dir.MakeFile(name);
  m_run.options.fillGaps = true;
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines,
            (Lines{".DS_Store -> 0000Holiday.DS_Store", "a.jpg -> 0001Holiday.jpg",
                   "desktop.ini -> 0002Holiday.ini", "Thumbs.db -> 0003Holiday.db", kPreviewEnd}));

  m_run.options.keepHidden = true;
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines, (Lines{"a.jpg -> 0000Holiday.jpg", kCommitEnd}));
  EXPECT_EQ(m_dir.Names(), (Lines{".DS_Store", "0000Holiday.jpg", "Thumbs.db", "desktop.ini"}));
}

// Fails the n-th rename with the given errno; forwards everything else.
class FailingRename : public FileSystemWrapper {
 public:
  FailingRename(FileSystem& target, int failAt, int error)
      : FileSystemWrapper(target), m_failAt(failAt), m_error(ErrorFromErrno(error)) {}
  std::error_code RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                  const std::string& to) override {
    if (++m_calls == m_failAt) return m_error;
    return FileSystemWrapper::RenameNoReplace(folder, from, to);
  }

 private:
  int m_failAt;
  std::error_code m_error;
  int m_calls = 0;
};

TEST_F(RenameRunTest, FailureAtTheThirdOfFiveKeepsResultsLogAndBatchInAgreement) {
  for (const char* name : {"a", "b", "c", "d", "e"}) m_dir.MakeFile(std::string(name) + ".txt");
  FailingRename failing(m_fs, 3, EPERM);  // which stops even root
  RunBench injected(failing);
  injected.options = m_run.options;
  injected.options.logPath = m_logDir.Join("m_run.log");
  const RunOutcome outcome = injected.Run(true);
  EXPECT_EQ(outcome.end, RunEnd::RenameFailed);
  EXPECT_EQ(outcome.failedName, "c.txt");
  EXPECT_EQ(injected.results.lines, (Lines{"a.txt -> 0001Holiday.txt", "b.txt -> 0002Holiday.txt",
                                           "c.txt -> 0003Holiday.txt", kCommitEnd}));
  EXPECT_EQ(injected.batch.OldPaths(), (Lines{Path("a.txt"), Path("b.txt")}));
  EXPECT_EQ(injected.batch.NewPaths(), (Lines{Path("0001Holiday.txt"), Path("0002Holiday.txt")}));
  const Lines log = LogLines(m_logDir, "m_run.log");
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[3], Path("c.txt") + " renamed to " + Path("0003Holiday.txt"));
  EXPECT_EQ(log[4], Path("c.txt") + " was not renamed: access denied.");
  EXPECT_EQ(m_dir.Names(),
            (Lines{"0001Holiday.txt", "0002Holiday.txt", "c.txt", "d.txt", "e.txt"}));
  ASSERT_EQ(injected.messages.shown.size(), 1u);
  EXPECT_EQ(injected.messages.shown[0].first, "Rename error: access denied.");
}

TEST(CauseTest, ErrnoValuesMapToTheUsersWords) {
  const std::vector<std::pair<int, std::string>> cases = {{0, "none given."},
                                                          {ENOENT, "file not found."},
                                                          {ENAMETOOLONG, "bad path."},
                                                          {EXDEV, "bad path."},
                                                          {EMFILE, "too many open files."},
                                                          {EPERM, "access denied."},
                                                          {EEXIST, "access denied."},
                                                          {ENOTEMPTY, "access denied."},
                                                          {EIO, "hardware error."},
                                                          {ETXTBSY, "sharing violation."},
                                                          {ENOSPC, "unspecified."}};
  for (const auto& [error, text] : cases) {
    EXPECT_EQ(RenameErrorText(CauseFromErrno(error)), "Rename error: " + text) << error;
  }
}

// Every text of a run is its pattern with the variable part put in, so
// that a window knows each of them by its pattern; the English stays.
TEST(RunTextsTest, TextsAreTheirPatternsFilledIn) {
  std::set<std::string_view> patterns;
  for (int i = 0; i < kRunTextCount; ++i) {
    const auto text = static_cast<RunText>(i);
    const std::string_view pattern = RunTextPattern(text);
    EXPECT_TRUE(patterns.insert(pattern).second) << pattern;
    const std::size_t at = pattern.find("%1");
    EXPECT_EQ(pattern.find("%1", at == std::string_view::npos ? 0 : at + 1),
              std::string_view::npos);
    std::string filled(pattern);
    if (at != std::string_view::npos) filled.replace(at, 2, "x%1y");
    EXPECT_EQ(FormatRunText(text, "x%1y"), filled) << pattern;
  }
  const std::pair<std::string, std::string> made[] = {
      {FileCountLimitLine(), "File count exceeds 9999."},
      {RenameErrorText(Cause::AccessDenied), "Rename error: access denied."},
      {StoppedBeforeLine("a.jpg"), "Stopped before a.jpg."},
      {CannotWriteLogText("/l.log"), "Cannot write to log file /l.log."},
      {WithoutCaptureTimeLine(3), "Files without a capture time, ordered by their file time: 3"},
      {FormatRunText(RunText::NotRenamed, "a.jpg"), "a.jpg" + std::string(kNotRenamedSuffix)},
      {FormatRunText(RunText::DoneClosing), std::string(kDoneClosingLine)},
      {FormatRunText(RunText::LineTooLong, "7"), "line 7 is longer than any line of a log"}};
  for (const auto& [text, expected] : made) EXPECT_EQ(text, expected);
}

TEST_F(RenameRunTest, LogThatCannotBeOpenedIsReportedAndTheRunGoesOn) {
  m_dir.MakeFile("a.jpg");
  m_run.options.logPath = Path("missing/m_run.log");
  EXPECT_EQ(m_run.Run(true).logPath, "");  // nothing was opened
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Cannot open log file.");
  EXPECT_EQ(m_run.messages.shown[0].second, MessageIcon::Exclamation);
  EXPECT_TRUE(m_dir.Exists("0001Holiday.jpg"));
}

// A required log (the tool's rule) that cannot be opened ends a commit
// before anything happens; an opened one, or none, changes nothing.
TEST_F(RenameRunTest, ARequiredLogThatCannotBeOpenedRenamesNothing) {
  class LogRefused : public FileSystemWrapper {
   public:
    using FileSystemWrapper::FileSystemWrapper;
    LogHandle OpenLog(const std::string&, OpenedLog*, std::error_code* error) override {
      *error = ErrorFromErrno(EACCES);
      return {};
    }
  } refused(m_fs);
  m_dir.MakeFile("a.jpg");
  m_dir.MakeFile("b.jpg");
  RunBench injected(refused);
  injected.options = m_run.options;
  injected.options.logRequired = true;
  injected.options.logPath = m_logDir.Join("held.log");
  injected.batch.Add("/old/x", "/old/y");
  const RunOutcome refusedRun = injected.Run(true);
  EXPECT_EQ(refusedRun.end, RunEnd::LogNotOpened);
  // The caller says it in its own words, from what the system said.
  EXPECT_EQ(refusedRun.failure.error, std::errc::permission_denied);
  EXPECT_EQ(refusedRun.failure.path, m_logDir.Join("held.log"));
  EXPECT_TRUE(injected.messages.shown.empty());
  EXPECT_TRUE(injected.results.lines.empty());
  EXPECT_TRUE(injected.batch.Empty());
  EXPECT_EQ(m_dir.Names(), (Lines{"a.jpg", "b.jpg"}));
  EXPECT_EQ(injected.Run(false).end, RunEnd::Done);  // a preview opens no log

  for (const bool withLog : {true, false}) {
    m_run.options.logRequired = true;
    m_run.options.logPath = withLog ? m_logDir.Join("r.log") : "";
    const RunOutcome outcome = m_run.Run(true);
    EXPECT_EQ(outcome.end, RunEnd::Done);
    EXPECT_EQ(outcome.logPath.empty(), !withLog);
    EXPECT_TRUE(m_run.messages.shown.empty());
  }
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday.jpg", "0002Holiday.jpg"}));
}

TEST_F(RenameRunTest, LogHeldByAnotherHolderIsNotOpened) {
  m_logDir.MakeFile("held.log", "theirs\n");
  const int other = ::open(m_logDir.Join("held.log").c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  m_dir.MakeFile("a.jpg");
  m_run.options.logPath = m_logDir.Join("held.log");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  ::close(other);
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Cannot open log file.");
  EXPECT_EQ(m_logDir.Read("held.log"), "theirs\n");
  EXPECT_TRUE(m_dir.Exists("0001Holiday.jpg"));
}

TEST_F(RenameRunTest, EmptyLogPathWritesNothingAndSaysNothing) {
  m_dir.MakeFile("a.jpg");
  const RunOutcome outcome = m_run.Run(true);
  EXPECT_EQ(outcome.end, RunEnd::Done);
  EXPECT_EQ(outcome.logPath, "");
  EXPECT_TRUE(m_run.messages.shown.empty());
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday.jpg"}));
}

TEST_F(RenameRunTest, TheOpenLogInTheFolderIsNotRenamed) {
  m_dir.MakeFile("a.jpg");
  m_dir.MakeFile("b.jpg");
  m_run.options.logPath = Path("log.txt");
  m_dir.MakeFile("log.txt");
  const RunOutcome outcome = m_run.Run(true);
  EXPECT_EQ(outcome.end, RunEnd::RenameFailed);
  EXPECT_EQ(outcome.failedName, "log.txt");
  EXPECT_EQ(CauseOf(outcome.failure), Cause::SharingViolation);
  EXPECT_EQ(m_run.results.lines, (Lines{"a.jpg -> 0001Holiday.jpg", "b.jpg -> 0002Holiday.jpg",
                                        "log.txt -> 0003Holiday.txt", kCommitEnd}));
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Rename error: sharing violation.");
  EXPECT_TRUE(m_dir.Exists("log.txt"));
  EXPECT_EQ(m_run.batch.Size(), 2u);
  EXPECT_EQ(LogLines(m_dir, "log.txt").back(),
            Path("log.txt") + " was not renamed: sharing violation.");
}

TEST_F(RenameRunTest, TheOpenLogIsKnownByItsInodeAndByItsName) {
  // A second name (hard link) of the log in the folder is the log too.
  m_dir.MakeFile("a.jpg");
  m_logDir.MakeFile("m_run.log");
  ASSERT_EQ(::link(m_logDir.Join("m_run.log").c_str(), Path("b.log").c_str()), 0);
  m_run.options.logPath = m_logDir.Join("m_run.log");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::RenameFailed);
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Rename error: sharing violation.");
  EXPECT_TRUE(m_dir.Exists("b.log"));

  // Where the listing gives other inode numbers than stat (as on some
  // layered file systems), the log is still known; also when its path was
  // typed in other capitals on a file system that ignores case (which
  // finds z.log as Z.LOG, and whose paths resolve as typed).
  class ForeignInodes : public FileSystemWrapper {
   public:
    using FileSystemWrapper::FileSystemWrapper;
    std::error_code ListFiles(const FolderHandle& folder, bool withTimes,
                              std::vector<FileEntry>& out,
                              std::vector<std::string>* folderNames) override {
      const std::error_code error =
          FileSystemWrapper::ListFiles(folder, withTimes, out, folderNames);
      for (FileEntry& e : out) e.id.inode += 1000000007;
      return error;
    }
    LogHandle OpenLog(const std::string& path, OpenedLog* opened, std::error_code* error) override {
      std::string lowered = path;
      for (std::size_t i = lowered.rfind('/') + 1; i < lowered.size(); ++i)
        if (lowered[i] >= 'A' && lowered[i] <= 'Z') lowered[i] += 'a' - 'A';
      LogHandle log = FileSystemWrapper::OpenLog(lowered, opened, error);
      opened->resolvedPath = path;
      return log;
    }
  } foreign(m_fs);
  for (const char* typed : {"z.log", "Z.LOG"}) {
    TempDir other;
    other.MakeFile("a.jpg");
    other.MakeFile("z.log");
    RunBench injected(foreign);
    injected.options = m_run.options;
    injected.options.folder = other.Path();
    injected.options.logPath = other.Join(typed);
    EXPECT_EQ(injected.Run(true).end, RunEnd::RenameFailed) << typed;
    ASSERT_EQ(injected.messages.shown.size(), 1u) << typed;
    EXPECT_EQ(injected.messages.shown[0].first, "Rename error: sharing violation.") << typed;
    EXPECT_EQ(other.Names(), (Lines{"0001Holiday.jpg", "z.log"})) << typed;
  }
}

TEST_F(RenameRunTest, DateOrderReadsTheFilesTimes) {
  m_dir.MakeFile("a.jpg");
  m_dir.MakeFile("b.jpg");
  m_dir.MakeFile("c.jpg");
  const auto setTime = [&](const char* name, time_t sec) {
    const timespec times[2] = {{0, UTIME_OMIT}, {sec, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Path(name).c_str(), times, 0), 0);
  };
  setTime("a.jpg", 3000000000);
  setTime("b.jpg", 1000000000);
  setTime("c.jpg", 2000000000);
  m_run.options.sortType = 1;
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines, (Lines{"b.jpg -> 0001Holiday.jpg", "c.jpg -> 0002Holiday.jpg",
                                        "a.jpg -> 0003Holiday.jpg", kPreviewEnd}));
  m_run.options.ascending = false;
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines[0], "a.jpg -> 0001Holiday.jpg");
}

TEST_F(RenameRunTest, FolderChangedSincePreviewIsCommittedAsItIsNow) {
  m_dir.MakeFile("b.jpg");
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines, (Lines{"b.jpg -> 0001Holiday.jpg", kPreviewEnd}));
  m_dir.MakeFile("a.jpg");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines,
            (Lines{"a.jpg -> 0001Holiday.jpg", "b.jpg -> 0002Holiday.jpg", kCommitEnd}));
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday.jpg", "0002Holiday.jpg"}));
}

TEST_F(RenameRunTest, PreviewAfterCommitKeepsTheBatch) {
  m_dir.MakeFile("a.jpg");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(m_run.batch.Size(), 1u);
}

TEST_F(RenameRunTest, FileCountLimitIsCheckedBeforeAnythingIsPlanned) {
  for (int i = 0; i < 9999; ++i) m_dir.MakeFile("f" + std::to_string(i));
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines.size(), 10000u);
  EXPECT_EQ(m_run.results.lines.back(), kPreviewEnd);

  m_dir.MakeFile("one-more");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::FileCountLimit);
  EXPECT_EQ(m_run.results.lines, (Lines{"File count exceeds 9999.", kCommitEnd}));
  EXPECT_EQ(m_run.results.scrolledTo, 1);
  EXPECT_TRUE(m_dir.Exists("f0"));
  EXPECT_TRUE(m_run.batch.Empty());
}

TEST_F(RenameRunTest, IndexLimitEndsTheRunWithoutAClosingLine) {
  m_dir.MakeFile("a");
  m_dir.MakeFile("b");
  m_run.options.baseIndex = 9999;
  EXPECT_EQ(m_run.Run(false).end, RunEnd::IndexLimit);
  EXPECT_EQ(m_run.results.lines, (Lines{"a -> 9999Holiday.", "Index exceeds limit."}));
  EXPECT_EQ(m_run.results.redrawCalls, (std::vector<bool>{false, true}));
  EXPECT_EQ(m_run.Run(true).end, RunEnd::IndexLimit);
  EXPECT_EQ(m_dir.Names(), (Lines{"9999Holiday.", "b"}));
  EXPECT_EQ(m_run.batch.Size(), 1u);  // renamed before the limit, and undoable
}

TEST_F(RenameRunTest, EmptyAndMissingFoldersGiveOnlyTheClosingLine) {
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines, (Lines{kPreviewEnd}));
  m_run.options.folder = Path("missing");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  EXPECT_EQ(m_run.results.lines, (Lines{kCommitEnd}));
}

TEST_F(RenameRunTest, AListingThatBreaksOffCountsAsUnreadable) {
  // The listing fails after its first entry: the series file 0001Holiday.jpg
  // and the rest of the folder were never seen.
  class BrokenListing : public FileSystemWrapper {
   public:
    using FileSystemWrapper::FileSystemWrapper;
    std::error_code ListFiles(const FolderHandle& folder, bool withTimes,
                              std::vector<FileEntry>& out,
                              std::vector<std::string>* folderNames) override {
      std::vector<FileEntry> all;
      (void)FileSystemWrapper::ListFiles(folder, withTimes, all, folderNames);
      for (FileEntry& entry : all) {
        if (entry.name == "a.jpg") out.push_back(std::move(entry));
      }
      return ErrorFromErrno(EIO);
    }
  };
  BrokenListing broken(m_fs);
  RunBench partial(broken);
  partial.options = m_run.options;
  m_dir.MakeFile("a.jpg");
  m_dir.MakeFile("0001Holiday.jpg");
  EXPECT_EQ(partial.Run(true).end, RunEnd::Done);
  EXPECT_EQ(partial.results.lines, (Lines{kCommitEnd}));
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday.jpg", "a.jpg"}));
}

// A run that must read its folder (the tool's) stops before the log when
// the folder cannot be listed, and says why; the window's run goes on as
// before with an empty plan.
TEST_F(RenameRunTest, AnUnreadableFolderEndsARunThatMustReadIt) {
  class FailingListing : public FileSystemWrapper {
   public:
    using FileSystemWrapper::FileSystemWrapper;
    std::error_code ListFiles(const FolderHandle& folder, bool withTimes,
                              std::vector<FileEntry>& out,
                              std::vector<std::string>* folderNames) override {
      (void)FileSystemWrapper::ListFiles(folder, withTimes, out, folderNames);
      return ErrorFromErrno(EIO);
    }
  };
  FailingListing failing(m_fs);
  m_dir.MakeFile("a.jpg");
  const struct {
    FileSystem& fs;
    std::string folder;
    std::errc error;
  } cases[] = {
      {m_fs, Path("missing"), std::errc::no_such_file_or_directory},
      {failing, m_dir.Path(), std::errc::io_error},
  };
  for (const auto& c : cases) {
    for (bool commit : {false, true}) {
      RunBench run(c.fs);
      run.options = m_run.options;
      run.options.folder = c.folder;
      run.options.logPath = m_logDir.Join("run.log");
      run.options.folderMustBeReadable = true;
      const RunOutcome outcome = run.Run(commit);
      EXPECT_EQ(outcome.end, RunEnd::FolderUnreadable) << c.folder;
      EXPECT_EQ(outcome.failure.error, c.error) << c.folder;
      EXPECT_EQ(outcome.failure.path, c.folder);
      EXPECT_TRUE(run.results.lines.empty());
      EXPECT_TRUE(run.messages.shown.empty());
      EXPECT_FALSE(m_logDir.Exists("run.log"));
    }
  }
  RunBench window(failing);
  window.options = m_run.options;
  EXPECT_EQ(window.Run(true).end, RunEnd::Done);
  EXPECT_EQ(window.results.lines, (Lines{kCommitEnd}));
  EXPECT_EQ(m_dir.Names(), (Lines{"a.jpg"}));
}

TEST_F(RenameRunTest, BaseNameWithASlashFailsBeforeAnythingIsRenamed) {
  m_dir.MakeDir("sub");
  m_dir.MakeFile("a.jpg");
  m_dir.MakeFile("b.jpg");
  m_run.options.baseName = "../sub/x";
  m_run.options.logPath = m_logDir.Join("m_run.log");
  EXPECT_EQ(CauseOf(m_run.Run(true).failure), Cause::BadPath);
  EXPECT_EQ(LogLines(m_logDir, "m_run.log").size(), 1u);  // the header only: no line for it
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Rename error: bad path.");
  EXPECT_EQ(m_dir.Names(), (Lines{"a.jpg", "b.jpg", "sub"}));
  EXPECT_TRUE(m_run.batch.Empty());

  m_run.messages.shown.clear();
  m_run.options.baseName = std::string("nul\0byte", 8);
  EXPECT_EQ(m_run.Run(true).end, RunEnd::RenameFailed);
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Rename error: bad path.");
}

TEST_F(RenameRunTest, NameTooLongForTheFileSystemIsABadPath) {
  m_dir.MakeFile("a.jpg");
  m_run.options.baseName = std::string(250, 'L');  // 4 + 250 + ".jpg" > 255
  EXPECT_EQ(m_run.Run(true).end, RunEnd::RenameFailed);
  ASSERT_EQ(m_run.messages.shown.size(), 1u);
  EXPECT_EQ(m_run.messages.shown[0].first, "Rename error: bad path.");
  EXPECT_TRUE(m_dir.Exists("a.jpg"));
}

TEST_F(RenameRunTest, AwkwardNamesAreRenamedByteForByte) {
  const std::string invalidUtf8 = "\xff\xfe photo.jpg";
  const std::string lineBreak = "two\nlines \"quoted\".jpg";
  const std::string dash = "-rf.jpg";
  m_dir.MakeFile(invalidUtf8, "1");
  m_dir.MakeFile(lineBreak, "2");
  m_dir.MakeFile(dash, "3");
  m_run.options.baseName = "Caf\xc3\xa9 ";
  m_run.options.logPath = m_logDir.Join("awkward.log");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  EXPECT_TRUE(m_run.messages.shown.empty());
  EXPECT_EQ(m_run.results.lines[0], dash + " -> 0001Caf\xc3\xa9 .jpg");
  EXPECT_EQ(m_run.results.lines[1], lineBreak + " -> 0002Caf\xc3\xa9 .jpg");
  EXPECT_EQ(m_run.results.lines[2], invalidUtf8 + " -> 0003Caf\xc3\xa9 .jpg");
  EXPECT_EQ(m_dir.Read("0002Caf\xc3\xa9 .jpg"), "2");
  EXPECT_EQ(m_dir.Read("0003Caf\xc3\xa9 .jpg"), "1");

  const std::string text = m_logDir.Read("awkward.log");
  EXPECT_NE(text.find(EscapeLogPath(Path(lineBreak)) + " renamed to "), std::string::npos);
  EXPECT_NE(text.find(Path(invalidUtf8) + " renamed to "), std::string::npos);
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  EXPECT_EQ(lines, 4u);  // the line feed in the name did not split a line
}

}  // namespace
}  // namespace kalvenor

namespace kalvenor {
namespace {

// Asks the run to stop once `stopAfter` files are done; counts the reports.
class StopAfter : public RunProgress {
 public:
  explicit StopAfter(std::size_t stopAfter) : m_stopAfter(stopAfter) {}
  void Advance(std::size_t done, std::size_t total) override {
    m_done = done;
    m_total = total;
  }
  bool StopRequested() const override { return m_done >= m_stopAfter; }
  std::size_t Done() const { return m_done; }
  std::size_t Total() const { return m_total; }

 private:
  std::size_t m_stopAfter;
  std::size_t m_done = 0;
  std::size_t m_total = 0;
};

// A commit and an undo stopped at the first, a middle and the last file: the
// Results list, the log, the record of the batch and the disk agree, and
// what was not reached is neither renamed nor forgotten.
TEST_F(RenameRunTest, AStopBetweenTwoFilesLeavesResultsLogRecordAndDiskInAgreement) {
  const Lines names = {"a.txt", "b.txt", "c.txt", "d.txt"};
  for (const std::size_t stopAt : {std::size_t{0}, std::size_t{2}, std::size_t{3}}) {
    TempDir folder, logs;
    for (const std::string& name : names) folder.MakeFile(name, name);
    StopAfter stop(stopAt);
    RunBench run(m_fs);
    run.options = m_run.options;
    run.options.folder = folder.Path();
    run.options.logPath = logs.Join("run.log");
    run.ctx.progress = &stop;
    ASSERT_EQ(run.Run(true).end, RunEnd::Stopped) << stopAt;
    Lines expected;
    for (std::size_t i = 0; i < stopAt; ++i) {
      expected.push_back(names[i] + " -> 000" + std::to_string(i + 1) + "Holiday.txt");
    }
    expected.push_back("Stopped before " + names[stopAt] + ".");
    expected.push_back(kCommitEnd);
    EXPECT_EQ(run.results.lines, expected) << stopAt;
    EXPECT_EQ(run.batch.Size(), stopAt);
    EXPECT_EQ(LogLines(logs, "run.log").size(), 1 + stopAt);  // header and one line per rename
    EXPECT_EQ(stop.Total(), stopAt == 0 ? 0u : names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string renamed = "000" + std::to_string(i + 1) + "Holiday.txt";
      EXPECT_EQ(folder.Exists(names[i]), i >= stopAt) << names[i];
      EXPECT_EQ(folder.Exists(renamed), i < stopAt) << renamed;
    }

    // The undo of what was done, stopped after one file: the rest stays in
    // the record, still renamed, for the next undo.
    if (stopAt < 2) continue;
    StopAfter undoStop(1);
    run.ctx.progress = &undoStop;
    EXPECT_EQ(UndoLastBatch(logs.Join("run.log"), false, run.ctx, run.batch).end, RunEnd::Stopped);
    EXPECT_EQ(run.results.lines,
              (Lines{"0001Holiday.txt -> a.txt", "Stopped before 0002Holiday.txt.", kCommitEnd}));
    EXPECT_EQ(run.batch.Size(), stopAt - 1);
    EXPECT_TRUE(folder.Exists("a.txt"));
    EXPECT_TRUE(folder.Exists("0002Holiday.txt"));
    run.ctx.progress = nullptr;
    EXPECT_EQ(UndoLastBatch(logs.Join("run.log"), false, run.ctx, run.batch).end, RunEnd::Done);
    EXPECT_EQ(folder.Names(), names);
  }

  // A preview asked to stop while it reads the folder shows nothing.
  StopAfter now(0);
  m_dir.MakeFile("a.jpg");
  m_run.ctx.progress = &now;
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Stopped);
  EXPECT_TRUE(m_run.results.lines.empty());
}

}  // namespace
}  // namespace kalvenor

namespace kalvenor {
namespace {

// Records, for each rename, how many log lines were on the storage when it
// was tried, and what was synced; its clock makes every sync take 100 ticks
// and every rename 1.
class Journal : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::error_code AppendToLog(const LogHandle& log, std::string_view bytes) override {
    written += static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    return FileSystemWrapper::AppendToLog(log, bytes);
  }
  std::error_code TruncateLog(const LogHandle& log, std::uint64_t bytes) override {
    ++truncations;
    return FileSystemWrapper::TruncateLog(log, bytes);
  }
  std::error_code SyncLog(const LogHandle& log) override {
    m_now += std::chrono::nanoseconds(100);
    synced = written;
    ++syncs;
    return FileSystemWrapper::SyncLog(log);
  }
  std::error_code RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                  const std::string& to) override {
    m_now += std::chrono::nanoseconds(1);
    syncedAtRename.push_back(synced);
    return FileSystemWrapper::RenameNoReplace(folder, from, to);
  }
  std::error_code SyncFolder(const FolderHandle& folder) override {
    folderSyncedAfter = static_cast<int>(syncedAtRename.size());
    return FileSystemWrapper::SyncFolder(folder);
  }
  std::chrono::steady_clock::time_point SteadyNow() override { return m_now; }

  int written = 0, synced = 0, syncs = 0, truncations = 0, folderSyncedAfter = -1;
  std::vector<int> syncedAtRename;

 private:
  std::chrono::steady_clock::time_point m_now;
};

// Each rename is tried only once its line (the header is line 1) is on
// the storage: a first small group, then one paced by what a sync costs
// (here 100 renames), and at the end the folder. Unsynced, one line per
// rename, nothing is synced.
TEST_F(RenameRunTest, EveryRenameWaitsForItsLineOnTheStorage) {
  for (const LogSync sync : {LogSync::WriteAhead, LogSync::Never}) {
    TempDir folder, logs;
    for (int i = 0; i < 30; ++i) folder.MakeFile("f" + std::to_string(100 + i));
    Journal journal(m_fs);
    RunBench run(journal);
    run.options = m_run.options;
    run.options.folder = folder.Path();
    run.options.logPath = logs.Join("run.log");
    run.options.logSync = sync;
    ASSERT_EQ(run.Run(true).end, RunEnd::Done);
    ASSERT_EQ(journal.syncedAtRename.size(), 30u);
    if (sync == LogSync::Never) {
      EXPECT_EQ(journal.syncs, 0);
      EXPECT_EQ(journal.folderSyncedAfter, -1);
      continue;
    }
    for (int i = 0; i < 30; ++i) EXPECT_GE(journal.syncedAtRename[i], i + 2) << i;
    EXPECT_EQ(journal.syncedAtRename[0], 1 + 8);   // the first group
    EXPECT_EQ(journal.syncedAtRename[8], 1 + 30);  // then the rest at once
    EXPECT_EQ(journal.syncs, 2);
    EXPECT_EQ(journal.folderSyncedAfter, 30);
    EXPECT_EQ(journal.truncations, 0);
  }
  // How the pace follows the cost of a sync: 16 renames per sync's worth.
  using std::chrono::microseconds;
  const struct {
    microseconds sync, renames;
    std::size_t count, next;
  } paces[] = {
      {microseconds(1), microseconds(16), 8, GroupPacer::kFirstGroup},  // a RAM disk
      {microseconds(4000), microseconds(40), 8, 12800},                 // a disk
      {microseconds(100000), microseconds(1), 1, GroupPacer::kLargestGroup},
      {microseconds(5), microseconds(0), 0, GroupPacer::kFirstGroup},  // nothing renamed
  };
  for (const auto& pace : paces) {
    GroupPacer pacer;
    pacer.Measured(pace.sync, pace.renames, pace.count);
    EXPECT_EQ(pacer.NextGroup(), pace.next) << pace.sync.count();
  }
}

// A commit whose log a later undo would refuse says so before its first
// rename, and goes on.
TEST_F(RenameRunTest, ACommitSaysWhenALaterUndoWouldRefuseItsLog) {
  const struct {
    mode_t mode;
    bool throughLink;
    std::string said;
  } cases[] = {
      {0644, false, ""},
      {0664, false, "users other than its owner may write to it"},
      {0644, true, "it is a symbolic link"},
  };
  for (const auto& c : cases) {
    TempDir folder, logs;
    folder.MakeFile("a.jpg");
    logs.MakeFile("run.log");
    ASSERT_EQ(::chmod(logs.Join("run.log").c_str(), c.mode), 0);
    ASSERT_EQ(::symlink("run.log", logs.Join("link.log").c_str()), 0);
    // What the folder held when each message was shown.
    class Seen : public MessageSink {
     public:
      explicit Seen(const TempDir& folder) : m_folder(folder) {}
      void ShowMessage(const std::string& text, MessageIcon icon) override {
        shown.push_back({text, icon, m_folder.Names()});
      }
      struct Message {
        std::string text;
        MessageIcon icon;
        Lines names;
      };
      std::vector<Message> shown;

     private:
      const TempDir& m_folder;
    } seen(folder);
    RunBench run(m_fs);
    RenameContext ctx{run.results, seen, m_fs};
    run.options = m_run.options;
    run.options.folder = folder.Path();
    run.options.logPath = logs.Join(c.throughLink ? "link.log" : "run.log");
    ASSERT_EQ(RenameFiles(true, run.options, ctx, run.batch).end, RunEnd::Done);
    EXPECT_EQ(folder.Names(), Lines{"0001Holiday.jpg"});
    if (c.said.empty()) {
      EXPECT_TRUE(seen.shown.empty());
      continue;
    }
    ASSERT_EQ(seen.shown.size(), 1u) << c.said;
    EXPECT_EQ(seen.shown[0].text, "This batch cannot be undone from log file " +
                                      run.options.logPath + ": " + c.said + ".");
    EXPECT_EQ(seen.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(seen.shown[0].names, Lines{"a.jpg"});
  }
}

// A reservation a killed commit left under a name of the series (empty,
// its time the mark) is no member: a preview leaves it out, a commit
// removes it and numbers as if it had never been, files and photo sets
// alike. A user's own empty file under such a name stays a member.
TEST_F(RenameRunTest, AReservationLeftByACrashIsNoMemberOfTheSeries) {
  class Card : public FileSystemWrapper {  // a file system that may hold leftovers
   public:
    using FileSystemWrapper::FileSystemWrapper;
    bool MayHoldLeftovers(const FolderHandle&) override { return true; }
  } card(m_fs);
  const timespec mark[2] = {{kReservationMarkSeconds, 0}, {kReservationMarkSeconds, 0}};
  for (const bool photoSets : {false, true}) {
    SCOPED_TRACE(photoSets ? "photo sets" : "files");
    TempDir dir;
    dir.MakeFile("a.jpg", "a");
    dir.MakeFile("a.xmp", "x");
    dir.MakeFile("0001Holiday.jpg");  // the leftover
    dir.MakeFile("0002Holiday.jpg");  // the user's own
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.Join("0001Holiday.jpg").c_str(), mark, 0), 0);
    RunBench run(card);
    run.options = m_run.options;
    run.options.folder = dir.Path();
    run.options.fillGaps = true;
    run.options.baseIndex = 1;
    run.options.photoSets = photoSets;
    const Lines plan = {"0002Holiday.jpg -> Not Renamed", "a.jpg -> 0001Holiday.jpg",
                        photoSets ? "a.xmp -> 0001Holiday.xmp" : "a.xmp -> 0003Holiday.xmp"};
    EXPECT_EQ(run.Run(false).end, RunEnd::Done);
    EXPECT_EQ(run.results.lines, (Lines{plan[0], plan[1], plan[2], kPreviewEnd}));
    EXPECT_EQ(dir.Names(), (Lines{"0001Holiday.jpg", "0002Holiday.jpg", "a.jpg", "a.xmp"}));
    EXPECT_EQ(run.Run(true).end, RunEnd::Done);
    EXPECT_EQ(run.results.lines, (Lines{plan[0], plan[1], plan[2], kCommitEnd}));
    EXPECT_EQ(dir.Names(),
              (Lines{"0001Holiday.jpg", photoSets ? "0001Holiday.xmp" : "0002Holiday.jpg",
                     photoSets ? "0002Holiday.jpg" : "0003Holiday.xmp"}));
    EXPECT_EQ(dir.Read("0001Holiday.jpg"), "a");
  }
}

}  // namespace
}  // namespace kalvenor
