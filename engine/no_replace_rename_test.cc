#include "no_replace_rename.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
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
  return param.param == 0 ? "NoReplaceFlag" : param.param == 1 ? "HardLinks" : "ExistenceTest";
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

}  // namespace
}  // namespace kalvenor
