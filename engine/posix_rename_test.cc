#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>

#include "posix_file_system.h"
#include "reservation_mark.h"
#include "test_support.h"

namespace kalvenor {
namespace {

using testing::TempDir;
using Names = std::vector<std::string>;

// Stands in for a file system that refuses the no-replace flag, or hard
// links too, and for another program that acts between two system calls.
// Every call it does not refuse is the real one.
class Refusing : public PosixFileSystem {
 public:
  enum class Way { Flag, HardLinks, Reservation };
  explicit Refusing(Way way, bool keepsIdentities = true)
      : m_way(way), m_keepsIdentities(keepsIdentities) {}

  std::function<void(const char*name)> afterCreate, beforeRename;
  int failRenameWith = 0;
  int failUnlinksWith = 0;  // the first unlink fails so
  // A file that no name holds any more cannot be read through a descriptor
  // (as on fusefat, where a FUSE file system keeps it under a hidden name).
  bool orphansUnreadable = false;
  int flagCalls = 0, linkCalls = 0;

 protected:
  int RenameExclusiveAt(int dir, const char* from, const char* to) override {
    ++flagCalls;
    if (m_way == Way::Flag) return PosixFileSystem::RenameExclusiveAt(dir, from, to);
    errno = EINVAL;
    return -1;
  }
  int LinkAt(int dir, const char* from, const char* to) override {
    ++linkCalls;
    if (m_way != Way::Reservation) return PosixFileSystem::LinkAt(dir, from, to);
    errno = EPERM;
    return -1;
  }
  int UnlinkAt(int dir, const char* name) override {
    if (failUnlinksWith != 0) {
      errno = std::exchange(failUnlinksWith, 0);
      return -1;
    }
    return PosixFileSystem::UnlinkAt(dir, name);
  }
  int CreateExclusiveAt(int dir, const char* name) override {
    const int fd = PosixFileSystem::CreateExclusiveAt(dir, name);
    if (afterCreate) afterCreate(name);
    return fd;
  }
  int RenameAt(int dir, const char* from, const char* to) override {
    if (beforeRename) std::exchange(beforeRename, nullptr)(to);
    if (failRenameWith != 0) {
      errno = failRenameWith;
      return -1;
    }
    return PosixFileSystem::RenameAt(dir, from, to);
  }
  ssize_t ReadAt(int fd, char* buffer, std::size_t size, off_t at) override {
    struct stat st {};
    if (orphansUnreadable && ::fstat(fd, &st) == 0 && st.st_nlink == 0) {
      errno = EPERM;
      return -1;
    }
    return PosixFileSystem::ReadAt(fd, buffer, size, at);
  }
  bool KeepsIdentities(int dir) override {
    return m_keepsIdentities && PosixFileSystem::KeepsIdentities(dir);
  }

 private:
  Way m_way;
  bool m_keepsIdentities;
};

class PosixRenameTest : public ::testing::TestWithParam<Refusing::Way> {};

TEST_P(PosixRenameTest, RenamesAFileAndKeepsItsBytes) {
  TempDir dir;
  dir.MakeFile("a.jpg", "photo");
  Refusing fs(GetParam());
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  ASSERT_TRUE(folder.IsOpen());
  EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "a.jpg", "0001Holiday.jpg")), Cause::Ok);
  EXPECT_EQ(dir.Names(), Names{"0001Holiday.jpg"});
  EXPECT_EQ(dir.Read("0001Holiday.jpg"), "photo");
}

TEST_P(PosixRenameTest, NeverReplacesAFileAFolderOrALink) {
  TempDir dir;
  Refusing fs(GetParam());
  dir.MakeFile("a", "mine");
  dir.MakeFile("file", "theirs");
  dir.MakeFile("empty");
  dir.MakeDir("folder");
  ASSERT_EQ(::symlink("nowhere", dir.Join("link").c_str()), 0);
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  for (const char* taken : {"file", "empty", "folder", "link"}) {
    EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "a", taken)), Cause::AccessDenied) << taken;
  }
  EXPECT_EQ(dir.Read("a"), "mine");
  EXPECT_EQ(dir.Read("file"), "theirs");
  EXPECT_TRUE(dir.Exists("empty"));
  EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "missing", "new")), Cause::FileNotFound);
  EXPECT_FALSE(dir.Exists("new"));
}

TEST_P(PosixRenameTest, RenamesALinkAsALink) {
  TempDir dir;
  Refusing fs(GetParam());
  dir.MakeFile("target", "t");
  ASSERT_EQ(::symlink("target", dir.Join("link").c_str()), 0);
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "link", "0001Holiday.")), Cause::Ok);
  char buffer[64] = {};
  ASSERT_GT(::readlink(dir.Join("0001Holiday.").c_str(), buffer, sizeof buffer - 1), 0);
  EXPECT_EQ(std::string(buffer), "target");
  EXPECT_EQ(dir.Read("target"), "t");
}

std::string WayName(const ::testing::TestParamInfo<Refusing::Way>& param) {
  return param.param == Refusing::Way::Flag        ? "NoReplaceFlag"
         : param.param == Refusing::Way::HardLinks ? "HardLinks"
                                                   : "Reservation";
}

INSTANTIATE_TEST_SUITE_P(FileSystems, PosixRenameTest,
                         ::testing::Values(Refusing::Way::Flag, Refusing::Way::HardLinks,
                                           Refusing::Way::Reservation),
                         WayName);

// The old name cannot be removed after the link was made: the file must
// end up under its old name only, not under both.
TEST(PosixRenameFallbackTest, FailedUnlinkLeavesTheFileUnderItsOldNameOnly) {
  TempDir dir;
  Refusing fs(Refusing::Way::HardLinks);
  dir.MakeFile("a", "bytes");
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  fs.failUnlinksWith = EACCES;
  EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "a", "b")), Cause::AccessDenied);
  EXPECT_EQ(dir.Names(), Names{"a"});
  EXPECT_EQ(dir.Read("a"), "bytes");
}

// Without the flag and hard links the new name is reserved first: a file
// that takes the name before the rename (or takes over the reservation) is
// never replaced, bytes written into the reservation are never lost (before
// its last check they stay and the rename fails; after it they are kept
// beside the file), and a failed rename leaves no reservation behind.
TEST(PosixRenameReservationTest, NeverReplacesOrLosesWhatAppearsMeanwhile) {
  std::string folderPath;
  const auto plant = [&](const char* name) {
    ::unlink((folderPath + "/" + name).c_str());
    FILE* file = std::fopen((folderPath + "/" + name).c_str(), "w");
    std::fputs("theirs", file);
    std::fclose(file);
  };
  const auto writeInto = [&](const char* name) {
    FILE* file = std::fopen((folderPath + "/" + name).c_str(), "r+");
    std::fputs("written", file);
    std::fclose(file);
  };
  const struct {
    const char* what;
    bool takeBefore;
    std::function<void(const char*)> afterCreate, beforeRename;
    int renameError;
    Cause cause;
    Names names;
    std::string atA, atB;
  } cases[] = {
      {"taken before the reservation",
       true,
       {},
       {},
       0,
       Cause::AccessDenied,
       {"a", "b"},
       "mine",
       "theirs"},
      {"reservation replaced",
       false,
       plant,
       {},
       0,
       Cause::AccessDenied,
       {"a", "b"},
       "mine",
       "theirs"},
      {"reservation written into",
       false,
       writeInto,
       {},
       0,
       Cause::AccessDenied,
       {"a", "b"},
       "mine",
       "written"},
      {"written into just before the rename",
       false,
       {},
       writeInto,
       0,
       Cause::Ok,
       {"b", "b.rescued"},
       "",
       "mine"},
      {"the rename fails", false, {}, {}, EIO, Cause::HardwareError, {"a"}, "mine", ""},
      {"nothing in the way", false, {}, {}, 0, Cause::Ok, {"b"}, "", "mine"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    folderPath = dir.Path();
    Refusing fs(Refusing::Way::Reservation);
    dir.MakeFile("a", "mine");
    if (c.takeBefore) plant("b");
    fs.afterCreate = c.afterCreate;
    fs.beforeRename = c.beforeRename;
    fs.failRenameWith = c.renameError;
    const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
    EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "a", "b")), c.cause) << c.what;
    EXPECT_EQ(CauseOf(fs.SyncFolder(folder)), Cause::Ok);  // lets the reservation go
    EXPECT_EQ(dir.Names(), c.names) << c.what;
    EXPECT_EQ(dir.Read("a"), c.atA) << c.what;
    EXPECT_EQ(dir.Read("b"), c.atB) << c.what;
    EXPECT_EQ(dir.Read("b.rescued"), c.names.back() == "b.rescued" ? "written" : "") << c.what;
  }
}

// A program that opened the reservation before the rename and writes into
// it afterwards writes into a file no name holds any more: the reservation
// is held until the next rename, or the folder is synced or let go, and
// what it holds by then is kept beside the file. Where that file cannot be
// read through the held descriptor, it is read through the hidden name a
// FUSE file system keeps it under.
TEST(PosixRenameReservationTest, KeepsWhatIsWrittenIntoTheReservationAfterTheRename) {
  enum class LetGo { ByTheNextRename, ByASync, ByTheFoldersEnd, ThroughItsHiddenName };
  for (const LetGo letGo : {LetGo::ByTheNextRename, LetGo::ByASync, LetGo::ByTheFoldersEnd,
                            LetGo::ThroughItsHiddenName}) {
    TempDir dir;
    Refusing fs(Refusing::Way::Reservation);
    dir.MakeFile("a", "mine");
    dir.MakeFile("c", "other");
    int theirs = -1;
    struct stat reserved {};
    fs.afterCreate = [&](const char* name) {
      if (theirs >= 0) return;
      theirs = ::open(dir.Join(name).c_str(), O_WRONLY);
      ::fstat(theirs, &reserved);
    };
    FolderHandle folder = testing::OpenHeld(fs, dir.Path());
    ASSERT_EQ(CauseOf(fs.RenameNoReplace(folder, "a", "b")), Cause::Ok);
    ASSERT_GE(theirs, 0);
    ASSERT_EQ(::write(theirs, "late", 4), 4);
    ::close(theirs);
    if (letGo == LetGo::ByTheNextRename) {
      EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "c", "d")), Cause::Ok);
    } else if (letGo == LetGo::ByASync) {
      EXPECT_EQ(CauseOf(fs.SyncFolder(folder)), Cause::Ok);
    } else if (letGo == LetGo::ThroughItsHiddenName) {
      fs.orphansUnreadable = true;
      char hidden[40];
      for (const unsigned node :
           {static_cast<unsigned>(reserved.st_ino) + 1, static_cast<unsigned>(reserved.st_ino)}) {
        std::snprintf(hidden, sizeof hidden, ".fuse_hidden%08x%08x", node, 1u);
        dir.MakeFile(hidden, node == reserved.st_ino ? "late" : "another file's");
      }
    }
    folder.Reset();
    EXPECT_EQ(dir.Read("b"), "mine") << static_cast<int>(letGo);
    EXPECT_EQ(dir.Read("b.rescued"), "late") << static_cast<int>(letGo);
  }
}

// A reservation a crash left behind is known by its mark and goes when its
// name is wanted again; a user's own empty file under that name stays.
TEST(PosixRenameReservationTest, ALeftoverReservationMakesWayAndAUsersEmptyFileDoesNot) {
  for (const Refusing::Way way : {Refusing::Way::Flag, Refusing::Way::Reservation}) {
    TempDir dir;
    Refusing fs(way);
    dir.MakeFile("a", "mine");
    dir.MakeFile("b");
    dir.MakeFile("c", "x");
    const timespec mark[2] = {{kReservationMarkSeconds, 0},
                              {kReservationMarkSeconds + 3600, 0}};  // another time zone
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.Join("b").c_str(), mark, 0), 0);
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.Join("c").c_str(), mark, 0), 0);
    const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
    EntryStat stat;
    ASSERT_EQ(CauseOf(fs.StatEntry(folder, "b", &stat)), Cause::Ok);
    EXPECT_TRUE(stat.isLeftoverReservation);
    ASSERT_EQ(CauseOf(fs.StatEntry(folder, "c", &stat)), Cause::Ok);
    EXPECT_FALSE(stat.isLeftoverReservation);  // not empty
    EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "a", "c")), Cause::AccessDenied);
    EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "a", "b")), Cause::Ok);
    EXPECT_EQ(dir.Read("b"), "mine");
    EXPECT_EQ(CauseOf(fs.RemoveLeftoverReservation(folder, "c", true)), Cause::AccessDenied);
    dir.MakeFile("d");  // a user's own empty file, made now
    EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, "b", "d")), Cause::AccessDenied);
    EXPECT_EQ(dir.Names(), (Names{"b", "c", "d"}));
  }
  // The mark as FAT gives it back: 2-second steps, other time zones.
  for (const std::int64_t off : {0, 1, -2, 900, -3600, 13 * 3600 + 1800, 14 * 3600 + 2}) {
    EXPECT_TRUE(IsReservationMark(kReservationMarkSeconds + off)) << off;
  }
  for (const std::int64_t off : {3, -5, 450, 15 * 3600, 86400}) {
    EXPECT_FALSE(IsReservationMark(kReservationMarkSeconds + off)) << off;
  }
}

// A refused call is learned once per folder, not tried again for every
// file. Where inode numbers are made up per path (sshfs), hard links are
// not used at all: the two names a crash between link and unlink leaves
// could never be told for one file there.
TEST(PosixRenameReservationTest, LearnsOnceWhatTheFileSystemRefuses) {
  const struct {
    Refusing::Way way;
    bool keepsIdentities;
    int linkCalls;
  } cases[] = {{Refusing::Way::Reservation, true, 1}, {Refusing::Way::HardLinks, false, 0}};
  for (const auto& c : cases) {
    TempDir dir;
    Refusing fs(c.way, c.keepsIdentities);
    for (const char* name : {"a", "b", "c"}) dir.MakeFile(name, name);
    const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
    for (const char* name : {"a", "b", "c"}) {
      EXPECT_EQ(CauseOf(fs.RenameNoReplace(folder, name, std::string(name) + "1")), Cause::Ok);
    }
    EXPECT_EQ(fs.flagCalls, 1);
    EXPECT_EQ(fs.linkCalls, c.linkCalls);
    EXPECT_EQ(dir.Names(), (Names{"a1", "b1", "c1"}));
    // Each went over a reservation, which held the name meanwhile: a
    // second name of a file is never removed there.
    dir.MakeFile("d", "d");
    ASSERT_EQ(::link(dir.Join("d").c_str(), dir.Join("e").c_str()), 0);
    EXPECT_EQ(CauseOf(fs.RemoveSecondName(folder, "e", "d")),
              c.keepsIdentities ? Cause::Ok : Cause::AccessDenied);
  }
}

}  // namespace
}  // namespace kalvenor
