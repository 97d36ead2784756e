#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "posix_file_system.h"
#include "test_support.h"

namespace kalvenor {
namespace {

using testing::TempDir;

// The names of the files listed, sorted; those of the folders met, sorted,
// into `folders` unless it is null.
std::vector<std::string> ScannedNames(PosixFileSystem& fs, const std::string& path, bool withTimes,
                                      std::vector<std::string>* folders = nullptr) {
  const FolderHandle folder = testing::OpenHeld(fs, path);
  std::vector<FileEntry> entries;
  if (folder.IsOpen()) fs.ListFiles(folder, withTimes, entries, folders);
  std::vector<std::string> names;
  for (const FileEntry& e : entries) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  if (folders != nullptr) std::sort(folders->begin(), folders->end());
  return names;
}

// The same listing names the folders apart, for the names a run must not
// hand out.
TEST(PosixScanTest, ListsFilesAndFileLinksButNoFolders) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeFile("a.jpg");
  dir.MakeFile(".hidden");
  dir.MakeDir("sub");
  dir.MakeDir(".hidden-sub");
  ASSERT_EQ(::symlink("sub", dir.Join("link-to-dir").c_str()), 0);
  ASSERT_EQ(::symlink("a.jpg", dir.Join("link-to-file").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", dir.Join("dangling").c_str()), 0);
  dir.MakeFile(".fuse_hidden0000000100000002");
  for (bool withTimes : {false, true}) {
    std::vector<std::string> folders;
    EXPECT_EQ(ScannedNames(fs, dir.Path(), withTimes, &folders),
              (std::vector<std::string>{".hidden", "a.jpg", "dangling", "link-to-file"}));
    EXPECT_EQ(folders, (std::vector<std::string>{".hidden-sub", "link-to-dir", "sub"}));
  }
}

TEST(PosixScanTest, FoldersWithoutFilesAndMissingFoldersGiveNothing) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeDir("only");
  EXPECT_TRUE(ScannedNames(fs, dir.Path(), false).empty());
  std::error_code error;
  EXPECT_FALSE(fs.OpenFolder(dir.Join("missing"), &error).IsOpen());
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

// A folder whose path is longer than the kernel takes whole is opened one
// folder at a time.
TEST(PosixScanTest, OpensAFolderWhosePathIsTooLongForTheKernel) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string step(200, 'd');
  std::string path = dir.Path();
  int depth = 0;
  for (int fd = ::open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY); fd >= 0; ++depth) {
    if (path.size() > PATH_MAX + 100u) {
      ::close(::openat(fd, "f", O_WRONLY | O_CREAT, 0644));
      ::close(fd);
      break;
    }
    ASSERT_EQ(::mkdirat(fd, step.c_str(), 0755), 0);
    const int next = ::openat(fd, step.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
    path += "/" + step;
  }
  EXPECT_EQ(ScannedNames(fs, path, false), std::vector<std::string>{"f"});
  // Taken down again one folder at a time (a path this long is refused).
  std::error_code error;
  for (; depth > 0; --depth, path.resize(path.size() - step.size() - 1)) {
    const FolderHandle folder = fs.OpenFolder(path, &error);
    ASSERT_TRUE(folder.IsOpen());
    ::unlinkat(folder.Get(), "f", 0);
    ::unlinkat(folder.Get(), step.c_str(), AT_REMOVEDIR);
  }
}

TEST(PosixScanTest, FillsNameSplitTimeAndIdentity) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeFile("archive.tar.gz");
  const timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, dir.Join("archive.tar.gz").c_str(), times, 0), 0);
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  std::vector<FileEntry> entries;
  ASSERT_EQ(fs.ListFiles(folder, true, entries, nullptr), std::error_code());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].stem, "archive.tar");
  EXPECT_EQ(entries[0].ext, "gz");
  EXPECT_EQ(entries[0].time, (1700000000ull + 11644473600ull) * 10000000ull + 1234567ull);
  struct stat st {};
  ASSERT_EQ(::stat(dir.Join("archive.tar.gz").c_str(), &st), 0);
  EXPECT_EQ(entries[0].id.inode, static_cast<std::uint64_t>(st.st_ino));
}

TEST(PosixScanTest, ZeroHalfOfTheWriteTimeFallsBackToAnotherTime) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeFile("old");
  // 71.7324288 s after 1970 is 27111903 * 2^32 in 100 ns units since 1601:
  // the low half of that file time is zero.
  const std::int64_t sec = 71;
  const timespec times[2] = {{0, UTIME_OMIT}, {sec, 732428800}};
  ASSERT_EQ(::utimensat(AT_FDCWD, dir.Join("old").c_str(), times, 0), 0);
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  std::vector<FileEntry> entries;
  ASSERT_EQ(fs.ListFiles(folder, true, entries, nullptr), std::error_code());
  ASSERT_EQ(entries.size(), 1u);
  const FileTime modified = 27111903ull << 32;  // what the write time would give
  struct stat st {};
  ASSERT_EQ(::stat(dir.Join("old").c_str(), &st), 0);
  if (st.st_mtim.tv_sec != sec) GTEST_SKIP() << "time was not stored as given";
  EXPECT_NE(entries[0].time, modified);
  EXPECT_GT(entries[0].time,
            (1600000000ull + 11644473600ull) * 10000000ull);  // birth or change time: now
}

TEST(PosixStatTest, TellsTypePermissionsAndOwner) {
  TempDir dir;
  dir.MakeFile("f");
  dir.MakeDir("d");
  ASSERT_EQ(::chmod(dir.Join("f").c_str(), 0620), 0);
  ASSERT_EQ(::symlink("f", dir.Join("l").c_str()), 0);
  PosixFileSystem fs;
  const struct {
    const char* name;
    bool followLinks, isDirectory, isRegular;
    unsigned permissions;
  } cases[] = {
      {"f", false, false, true, 0620},
      {"d", false, true, false, 0},
      {"l", false, false, false, 0777},
      {"l", true, false, true, 0620},
  };
  for (const auto& c : cases) {
    PathStat stat;
    ASSERT_EQ(CauseOf(fs.Stat(dir.Join(c.name), c.followLinks, &stat)), Cause::Ok) << c.name;
    EXPECT_EQ(stat.isDirectory, c.isDirectory) << c.name;
    EXPECT_EQ(stat.isRegular, c.isRegular) << c.name;
    if (!c.isDirectory) {
      EXPECT_EQ(stat.permissions, c.permissions) << c.name;  // a folder's depend on the umask
    }
    EXPECT_EQ(stat.owner, fs.UserId()) << c.name;
  }
  EXPECT_EQ(fs.UserId(), ::geteuid());
}

// Only regular files (through a link, too) open for reading, without
// waiting on a FIFO; ranges read as far as the file goes.
TEST(PosixReadTest, OpensOnlyRegularFilesAndReadsRanges) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeFile("photo.jpg", "0123456789");
  dir.MakeDir("sub");
  ASSERT_EQ(::symlink("photo.jpg", dir.Join("link.jpg").c_str()), 0);
  ASSERT_EQ(::symlink("sub", dir.Join("link-to-dir").c_str()), 0);
  ASSERT_EQ(::symlink("gone", dir.Join("dangling").c_str()), 0);
  ASSERT_EQ(::mkfifo(dir.Join("fifo").c_str(), 0600), 0);
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  for (const char* refused : {"sub", "link-to-dir", "dangling", "fifo", "missing"}) {
    std::uint64_t size = 0;
    EXPECT_FALSE(fs.OpenForReading(folder, refused, &size).IsOpen()) << refused;
  }
  for (const char* name : {"photo.jpg", "link.jpg"}) {
    std::uint64_t size = 0;
    const ReadHandle file = fs.OpenForReading(folder, name, &size);
    ASSERT_TRUE(file.IsOpen()) << name;
    EXPECT_EQ(size, 10u);
    std::string bytes = "left over";
    EXPECT_TRUE(fs.ReadAt(file, 2, 3, bytes));
    EXPECT_EQ(bytes, "234");
    EXPECT_TRUE(fs.ReadAt(file, 8, 100, bytes));
    EXPECT_EQ(bytes, "89");
    EXPECT_TRUE(fs.ReadAt(file, 20, 4, bytes));
    EXPECT_EQ(bytes, "");
  }
}

// The offset is the one the C library's local time shows, summer and winter.
TEST(PosixReadTest, UtcOffsetIsTheLocalTimesOffset) {
  PosixFileSystem fs;
  for (const std::time_t moment : {std::time_t{1704880800}, std::time_t{1720598400}}) {
    std::tm local{};
    ASSERT_NE(::localtime_r(&moment, &local), nullptr);
    EXPECT_EQ(fs.UtcOffsetAt(moment), static_cast<std::int64_t>(::timegm(&local) - moment));
  }
}

TEST(PosixRenameTest, HeldFolderIsNotRedirectedByARenameOfItsPath) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeDir("x");
  dir.MakeDir("y");
  dir.MakeFile("x/f");
  dir.MakeFile("y/f");
  const FolderHandle folder = testing::OpenHeld(fs, dir.Join("x"));
  ASSERT_EQ(::rename(dir.Join("x").c_str(), dir.Join("x-moved").c_str()), 0);
  ASSERT_EQ(::rename(dir.Join("y").c_str(), dir.Join("x").c_str()), 0);
  EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "f", "g")), Cause::Ok);
  EXPECT_TRUE(dir.Exists("x-moved/g"));
  EXPECT_TRUE(dir.Exists("x/f"));
}

TEST(PosixLogTest, OpensAppendsAndResolvesThePath) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeFile("run.log", "earlier\n");
  OpenedLog opened;
  std::error_code error;
  LogHandle log = fs.OpenLog(dir.Path() + "/./run.log", &opened, &error);
  ASSERT_TRUE(log.IsOpen());
  EXPECT_EQ(opened.resolvedPath.back(), 'g');
  EXPECT_EQ(opened.resolvedPath.find("/./"), std::string::npos);
  EXPECT_EQ(CauseOf(fs.AppendToLog(log, "later\n")), Cause::Ok);
  log.Reset();
  EXPECT_EQ(dir.Read("run.log"), "earlier\nlater\n");
}

TEST(PosixLogTest, CreatesAMissingLogReadableByAll) {
  TempDir dir;
  PosixFileSystem fs;
  OpenedLog opened;
  std::error_code error;
  const mode_t saved = ::umask(0);
  LogHandle log = fs.OpenLog(dir.Join("new.log"), &opened, &error);
  ::umask(saved);
  ASSERT_TRUE(log.IsOpen());
  log.Reset();
  struct stat st {};
  ASSERT_EQ(::stat(dir.Join("new.log").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  char* canonical = ::realpath(dir.Path().c_str(), nullptr);
  ASSERT_NE(canonical, nullptr);
  EXPECT_EQ(opened.resolvedPath, std::string(canonical) + "/new.log");
  std::free(canonical);
}

// What cannot be a log is refused, each with the system's own reason: a
// folder, no path, a missing folder, a log another holder has taken (we
// hold it here), and a FIFO, without waiting for a reader.
TEST(PosixLogTest, RefusesWhatCannotBeALogAndSaysWhy) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeDir("folder");
  dir.MakeFile("held.log");
  ASSERT_EQ(::mkfifo(dir.Join("pipe.log").c_str(), 0644), 0);
  OpenedLog opened;
  std::error_code error;
  const LogHandle held = fs.OpenLog(dir.Join("held.log"), &opened, &error);
  ASSERT_TRUE(held.IsOpen());
  EXPECT_EQ(error, std::error_code());
  const struct {
    std::string path;
    std::errc error;
  } cases[] = {
      {dir.Join("folder"), std::errc::is_a_directory},
      {"", std::errc::no_such_file_or_directory},
      {dir.Join("missing/run.log"), std::errc::no_such_file_or_directory},
      {dir.Join("held.log"), std::errc::device_or_resource_busy},
      {dir.Join("pipe.log"), std::errc::invalid_argument},
  };
  for (const auto& c : cases) {
    ::alarm(10);  // a blocking open would hang the test: let it die instead
    const LogHandle log = fs.OpenLog(c.path, &opened, &error);
    ::alarm(0);
    EXPECT_FALSE(log.IsOpen()) << c.path;
    EXPECT_EQ(error, c.error) << c.path;
  }
}

TEST(PosixLogTest, AWriteThatFailsHalfWayLeavesNoCutOffLine) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string before = "December 08, 2026 at 16:02:17\n";
  dir.MakeFile("run.log", before);
  OpenedLog opened;
  std::error_code error;
  LogHandle log = fs.OpenLog(dir.Join("run.log"), &opened, &error);
  ASSERT_TRUE(log.IsOpen());
  // A file size limit stands in for a full disk: the first write is cut
  // short at the limit, the next one fails.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = before.size() + 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  error = fs.AppendToLog(log, "/photos/a.jpg renamed to /photos/0001Holiday.jpg\n");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedHandler);
  EXPECT_EQ(error, std::errc::file_too_large);
  // Once there is room again, the next line starts on a line of its own.
  EXPECT_EQ(CauseOf(fs.AppendToLog(log, "next\n")), Cause::Ok);
  log.Reset();
  EXPECT_EQ(dir.Read("run.log"), before + "next\n");
}

TEST(PosixLogTest, ALogThatEndsInACutOffLineGetsItsLineEndFirst) {
  TempDir dir;
  PosixFileSystem fs;
  // As left by a machine that went down while a line was being written.
  const std::string before = "December 08, 2026 at 16:02:17\n/p/a.jpg renamed to /p/00";
  dir.MakeFile("run.log", before);
  OpenedLog opened;
  std::error_code error;
  LogHandle log = fs.OpenLog(dir.Join("run.log"), &opened, &error);
  ASSERT_TRUE(log.IsOpen());
  EXPECT_EQ(CauseOf(fs.AppendToLog(log, "next\n")), Cause::Ok);
  log.Reset();
  EXPECT_EQ(dir.Read("run.log"), before + "\nnext\n");

  // A log that ends whole, or is empty, gains nothing on opening.
  for (const std::string& whole : {std::string(), std::string("line\n")}) {
    dir.MakeFile("whole.log", whole);
    log = fs.OpenLog(dir.Join("whole.log"), &opened, &error);
    ASSERT_TRUE(log.IsOpen());
    log.Reset();
    EXPECT_EQ(dir.Read("whole.log"), whole);
  }
}

}  // namespace
}  // namespace kalvenor
