#include "folder_path.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mount_table.h"
#include "posix_file_system.h"
#include "test_support.h"

namespace kalvenor {
namespace {

using testing::TempDir;

// The real file system seen with an environment of the test's own.
class WithEnvironment : public FileSystemWrapper {
 public:
  WithEnvironment(FileSystem& target, std::map<std::string, std::string> env)
      : FileSystemWrapper(target), m_env(std::move(env)) {}
  std::optional<std::string> GetEnv(const char* name) override {
    const auto found = m_env.find(name);
    if (found == m_env.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::map<std::string, std::string> m_env;
};

TEST(IsValidFolderPathTest, AcceptsExistingFoldersOnly) {
  TempDir dir;
  dir.MakeDir("photos");
  dir.MakeFile("file");
  PosixFileSystem fs;
  EXPECT_TRUE(IsValidFolderPath(fs, "/"));
  EXPECT_TRUE(IsValidFolderPath(fs, dir.Join("photos")));
  EXPECT_TRUE(IsValidFolderPath(fs, dir.Join("photos") + "/"));
  EXPECT_FALSE(IsValidFolderPath(fs, ""));
  EXPECT_FALSE(IsValidFolderPath(fs, dir.Join("file")));
  EXPECT_FALSE(IsValidFolderPath(fs, dir.Join("missing")));
}

TEST(IsValidFolderPathTest, RefusesTheUsersTrashAndEverythingBeneathIt) {
  TempDir dir;
  dir.MakeDir("data");
  dir.MakeDir("data/Trash");
  dir.MakeDir("data/Trash/files");
  dir.MakeDir("data/Trashy");
  PosixFileSystem posix;
  {
    WithEnvironment fs(posix, {{"XDG_DATA_HOME", dir.Join("data")}});
    EXPECT_FALSE(IsValidFolderPath(fs, dir.Join("data/Trash")));
    EXPECT_FALSE(IsValidFolderPath(fs, dir.Join("data/Trash/files")));
    EXPECT_FALSE(IsValidFolderPath(fs, dir.Join("data/Trash/files/../files")));
    EXPECT_TRUE(IsValidFolderPath(fs, dir.Join("data/Trashy")));
    EXPECT_TRUE(IsValidFolderPath(fs, dir.Join("data")));
  }
  dir.MakeDir("home");
  dir.MakeDir("home/.local");
  dir.MakeDir("home/.local/share");
  dir.MakeDir("home/.local/share/Trash");
  {
    // An empty XDG_DATA_HOME: the default applies.
    WithEnvironment fs(posix, {{"HOME", dir.Join("home")}, {"XDG_DATA_HOME", ""}});
    EXPECT_FALSE(IsValidFolderPath(fs, dir.Join("home/.local/share/Trash")));
    EXPECT_TRUE(IsValidFolderPath(fs, dir.Join("home/.local/share")));
  }
}

TEST(MountTableTest, ReadsMountPointsWithTheirBytesAndTypes) {
  const std::vector<MountEntry> table = ParseMountTable(
      "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "31 27 8:17 / /media/u/USB\\040STICK rw shared:5 - vfat /dev/sdb1 rw\n"
      "37 27 8:3 / /data rw\n"                // no separator: not a mount line
      "38 27 8:4 / /tab\\011and\\134 rw -");  // no type after it
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].mountPoint, "/");
  EXPECT_EQ(table[0].type, "ext4");
  EXPECT_EQ(table[1].mountPoint, "/media/u/USB STICK");
  EXPECT_EQ(table[1].type, "vfat");
  // This process's own table always holds at least one absolute mount point.
  PosixFileSystem fs;
  const std::vector<MountEntry> own = ReadMountTable(fs);
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(own.front().mountPoint.front(), '/');
}

TEST(IsValidFolderPathTest, RecognisesTrashCansAtTheTopOfAVolume) {
  const std::vector<std::string> mounts = {"/", "/media/u/USB STICK", "/home"};
  EXPECT_TRUE(IsInsideVolumeTrash("/.Trash", mounts));
  EXPECT_TRUE(IsInsideVolumeTrash("/.Trash-1000/files/old", mounts));
  EXPECT_TRUE(IsInsideVolumeTrash("/media/u/USB STICK/.Trash-0", mounts));
  EXPECT_TRUE(IsInsideVolumeTrash("/home/.Trash/x", mounts));
  EXPECT_FALSE(IsInsideVolumeTrash("/", mounts));
  EXPECT_FALSE(IsInsideVolumeTrash("/home/u/.Trash", mounts));  // not at a volume's top
  EXPECT_FALSE(IsInsideVolumeTrash("/.Trash-x", mounts));       // not a uid
  EXPECT_FALSE(IsInsideVolumeTrash("/.Trash-", mounts));
  EXPECT_FALSE(IsInsideVolumeTrash("/.Trashcan", mounts));
  EXPECT_FALSE(IsInsideVolumeTrash("/media/u/USB STICKS/.Trash", {"/media/u/USB STICK"}));
}

TEST(IsValidFolderPathTest, TrashNamesDeepInsideAVolumeArePlainFolders) {
  TempDir dir;
  dir.MakeDir(".Trash");
  dir.MakeDir(".Trash-1000");
  PosixFileSystem fs;
  EXPECT_TRUE(IsValidFolderPath(fs, dir.Join(".Trash")));
  EXPECT_TRUE(IsValidFolderPath(fs, dir.Join(".Trash-1000")));
}

}  // namespace
}  // namespace kalvenor
