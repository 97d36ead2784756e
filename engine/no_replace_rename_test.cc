#include "no_replace_rename.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "posix_file_system.h"
#include "test_support.h"

namespace kalvenor {
namespace {

using testing::TempDir;

// Stand-ins for file systems that refuse the flag, or hard links too; the
// remaining calls are the real ones.
int RefuseFlag(int, const char*, const char*) {
  errno = EINVAL;
  return -1;
}
int RefuseLinks(int, const char*, const char*) {
  errno = EPERM;
  return -1;
}

RenameSyscalls WithoutFlag() {
  RenameSyscalls calls = SystemRenameSyscalls();
  calls.renameNoReplace = RefuseFlag;
  return calls;
}

RenameSyscalls WithoutFlagOrLinks() {
  RenameSyscalls calls = WithoutFlag();
  calls.link = RefuseLinks;
  return calls;
}

class NoReplaceRenameTest : public ::testing::TestWithParam<int> {
 protected:
  RenameSyscalls Calls() const {
    switch (GetParam()) {
      case 1: return WithoutFlag();
      case 2: return WithoutFlagOrLinks();
      default: return SystemRenameSyscalls();
    }
  }
};

TEST_P(NoReplaceRenameTest, RenamesAFileAndKeepsItsBytes) {
  TempDir dir;
  dir.MakeFile("a.jpg", "photo");
  PosixFileSystem fs;
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  ASSERT_TRUE(folder.IsOpen());
  EXPECT_EQ(RenameWithoutReplacing(Calls(), folder.Get(), "a.jpg", "0001Holiday.jpg"), Cause::Ok);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"0001Holiday.jpg"});
  EXPECT_EQ(dir.Read("0001Holiday.jpg"), "photo");
}

TEST_P(NoReplaceRenameTest, NeverReplacesAFileAFolderOrALink) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeFile("a", "mine");
  dir.MakeFile("file", "theirs");
  dir.MakeDir("folder");
  ASSERT_EQ(::symlink("nowhere", dir.Join("link").c_str()), 0);
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  for (const char* taken : {"file", "folder", "link"}) {
    EXPECT_EQ(RenameWithoutReplacing(Calls(), folder.Get(), "a", taken), Cause::AccessDenied)
        << taken;
  }
  EXPECT_EQ(dir.Read("a"), "mine");
  EXPECT_EQ(dir.Read("file"), "theirs");
  EXPECT_EQ(RenameWithoutReplacing(Calls(), folder.Get(), "missing", "new"), Cause::FileNotFound);
  EXPECT_FALSE(dir.Exists("new"));
}

TEST_P(NoReplaceRenameTest, RenamesALinkAsALink) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeFile("target", "t");
  ASSERT_EQ(::symlink("target", dir.Join("link").c_str()), 0);
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  EXPECT_EQ(RenameWithoutReplacing(Calls(), folder.Get(), "link", "0001Holiday."), Cause::Ok);
  char buffer[64] = {};
  ASSERT_GT(::readlink(dir.Join("0001Holiday.").c_str(), buffer, sizeof buffer - 1), 0);
  EXPECT_EQ(std::string(buffer), "target");
  EXPECT_EQ(dir.Read("target"), "t");
}

std::string WayName(const ::testing::TestParamInfo<int>& param) {
  return param.param == 0 ? "NoReplaceFlag" : param.param == 1 ? "HardLinks" : "Reservation";
}

INSTANTIATE_TEST_SUITE_P(FileSystems, NoReplaceRenameTest, ::testing::Values(0, 1, 2), WayName);

// The old name cannot be removed after the link was made: the file must
// end up under its old name only, not under both.
int unlinkCalls = 0;
int FailFirstUnlink(int dir, const char* name) {
  if (unlinkCalls++ == 0) {
    errno = EACCES;
    return -1;
  }
  return ::unlinkat(dir, name, 0);
}

TEST(NoReplaceRenameFallbackTest, FailedUnlinkLeavesTheFileUnderItsOldNameOnly) {
  TempDir dir;
  PosixFileSystem fs;
  dir.MakeFile("a", "bytes");
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  RenameSyscalls calls = WithoutFlag();
  calls.unlink = FailFirstUnlink;
  unlinkCalls = 0;
  EXPECT_EQ(RenameWithoutReplacing(calls, folder.Get(), "a", "b"), Cause::AccessDenied);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a"});
  EXPECT_EQ(dir.Read("a"), "bytes");
}

// Without the flag and hard links the new name is reserved first: a file
// that takes the name before the rename (or takes over the reservation)
// is never replaced, and a failed rename leaves no reservation behind.
std::string intruderFolder;  // the folder an intruder writes into
int (*realReserve)(int, const char*, EntryIdentity*) = nullptr;
void Intrude(const char* name) {
  ::unlink((intruderFolder + "/" + name).c_str());
  FILE* file = std::fopen((intruderFolder + "/" + name).c_str(), "w");
  std::fputs("theirs", file);
  std::fclose(file);
}
int IntrudeBeforeReserve(int dir, const char* name, EntryIdentity* id) {
  Intrude(name);
  return realReserve(dir, name, id);
}
int IntrudeAfterReserve(int dir, const char* name, EntryIdentity* id) {
  const int result = realReserve(dir, name, id);
  Intrude(name);
  return result;
}
int FailRename(int, const char*, const char*) {
  errno = EIO;
  return -1;
}

TEST(NoReplaceRenameReservationTest, NeverReplacesWhatAppearsMeanwhile) {
  const struct {
    const char* what;
    int (*reserve)(int, const char*, EntryIdentity*);
    int (*rename)(int, const char*, const char*);
    Cause cause;
    std::vector<std::string> names;
    std::string target;
  } cases[] = {
      {"taken before the reservation",
       IntrudeBeforeReserve,
       nullptr,
       Cause::AccessDenied,
       {"a", "b"},
       "theirs"},
      {"reservation taken over",
       IntrudeAfterReserve,
       nullptr,
       Cause::AccessDenied,
       {"a", "b"},
       "theirs"},
      {"the rename fails", nullptr, FailRename, Cause::HardwareError, {"a"}, ""},
      {"nothing in the way", nullptr, nullptr, Cause::Ok, {"b"}, "mine"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    PosixFileSystem fs;
    dir.MakeFile("a", "mine");
    intruderFolder = dir.Path();
    const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
    RenameSyscalls calls = WithoutFlagOrLinks();
    realReserve = calls.reserve;
    if (c.reserve != nullptr) calls.reserve = c.reserve;
    if (c.rename != nullptr) calls.rename = c.rename;
    EXPECT_EQ(RenameWithoutReplacing(calls, folder.Get(), "a", "b"), c.cause) << c.what;
    EXPECT_EQ(dir.Names(), c.names) << c.what;
    if (!c.target.empty()) {
      EXPECT_EQ(dir.Read("b"), c.target) << c.what;
    }
    if (c.cause != Cause::Ok) {
      EXPECT_EQ(dir.Read("a"), "mine") << c.what;
    }
  }
}

// A refused call is learned once per folder, not tried again for every file.
int flagCalls = 0, linkCalls = 0;
int CountRefuseFlag(int dir, const char* from, const char* to) {
  ++flagCalls;
  return RefuseFlag(dir, from, to);
}
int CountRefuseLinks(int dir, const char* from, const char* to) {
  ++linkCalls;
  return RefuseLinks(dir, from, to);
}

TEST(NoReplaceRenameReservationTest, LearnsOnceWhatTheFileSystemRefuses) {
  TempDir dir;
  PosixFileSystem fs;
  for (const char* name : {"a", "b", "c"}) dir.MakeFile(name, name);
  const FolderHandle folder = testing::OpenHeld(fs, dir.Path());
  RenameSyscalls calls = SystemRenameSyscalls();
  calls.renameNoReplace = CountRefuseFlag;
  calls.link = CountRefuseLinks;
  flagCalls = linkCalls = 0;
  RefusedRenameCalls refused;
  for (const char* name : {"a", "b", "c"}) {
    EXPECT_EQ(RenameWithoutReplacing(calls, folder.Get(), name, (std::string(name) + "1").c_str(),
                                     &refused),
              Cause::Ok);
  }
  EXPECT_EQ(flagCalls, 1);
  EXPECT_EQ(linkCalls, 1);
  EXPECT_TRUE(refused.noReplaceFlag && refused.hardLinks);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a1", "b1", "c1"}));
}

}  // namespace
}  // namespace kalvenor
