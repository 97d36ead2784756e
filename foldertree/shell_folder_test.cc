#include "shell_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "mounted_volumes.h"
#include "namespace_item.h"
#include "posix_file_system.h"
#include "shell_item.h"
#include "shell_namespace.h"
#include "test_home.h"

namespace kalvenor {
namespace {

using testing::MakeFolders;
using testing::MakeTempFolder;
using testing::TestHome;

// Name -> has-subfolders for every child of `folder`, and the order given.
struct Listing {
  std::vector<std::string> names;
  std::map<std::string, bool> hasSubfolders;
};

Listing List(ShellFolder& folder) {
  std::vector<IdListPtr> children;
  EXPECT_TRUE(folder.EnumObjects(children));
  Listing listing;
  for (const IdListPtr& child : children) {
    std::string name;
    EXPECT_TRUE(GetItemName(folder, child.get(), NameForm::InFolder, name));
    listing.names.push_back(name);
    listing.hasSubfolders[name] = folder.GetAttributesOf(child.get(), kAttrHasSubfolder) != 0;
    EXPECT_NE(folder.GetAttributesOf(child.get(), kAttrFolder), 0u);
  }
  return listing;
}

class ShellFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { m_root = MakeTempFolder(TestHome(), "shell"); }
  void TearDown() override { std::filesystem::remove_all(m_root); }

  std::shared_ptr<ShellFolder> Bind(const std::string& path) {
    IdListPtr list = m_space.ParseDisplayName(path);
    EXPECT_TRUE(list) << path;
    std::shared_ptr<ShellFolder> folder = m_space.GetDesktopFolder();
    for (const ItemIdList* item = list.get(); ItemCount(item) != 0; item = GetNextId(item)) {
      IdListPtr one = CopyFirstId(m_space.Allocator(), item);
      folder = folder->BindToObject(one.get());
      if (folder == nullptr) break;
    }
    return folder;
  }

  PosixFileSystem m_fs;
  ShellNamespace m_space{m_fs};
  std::string m_root;
};

TEST_F(ShellFolderTest, FolderListsSubfoldersOnlyWithHiddenOnesAndLinks) {
  MakeFolders(m_root + "/plain");
  MakeFolders(m_root + "/.hidden/inner");
  std::ofstream(m_root + "/file.txt") << "x";
  ASSERT_EQ(::symlink((m_root + "/plain").c_str(), (m_root + "/linked").c_str()), 0);
  ASSERT_EQ(::symlink((m_root + "/file.txt").c_str(), (m_root + "/filelink").c_str()), 0);
  ASSERT_EQ(::symlink("/nowhere/at/all", (m_root + "/dangling").c_str()), 0);

  std::shared_ptr<ShellFolder> folder = Bind(m_root);
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(folder->Path(), m_root);
  const Listing listing = List(*folder);
  EXPECT_EQ(listing.hasSubfolders.size(), 3u);
  EXPECT_EQ(listing.hasSubfolders.at(".hidden"), true);
  EXPECT_EQ(listing.hasSubfolders.at("plain"), false);
  EXPECT_EQ(listing.hasSubfolders.at("linked"), false);

  std::string parsing;
  std::vector<IdListPtr> children;
  ASSERT_TRUE(folder->EnumObjects(children));
  for (const IdListPtr& child : children) {
    if (NameOf(child.get()) != ".hidden") continue;
    ASSERT_TRUE(GetItemName(*folder, child.get(), NameForm::ForParsing, parsing));
    EXPECT_EQ(parsing, m_root + "/.hidden");
    std::shared_ptr<ShellFolder> hidden = folder->BindToObject(child.get());
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(List(*hidden).names, std::vector<std::string>{"inner"});
  }
  EXPECT_EQ(parsing, m_root + "/.hidden");
  EXPECT_EQ(m_space.FolderReadsOf(m_root), 2);
}

TEST_F(ShellFolderTest, UnreadableFolderGivesNoChildren) {
  std::shared_ptr<ShellFolder> folder = Bind(m_root + "/gone");
  ASSERT_NE(folder, nullptr);  // binding does not look at the disk
  std::vector<IdListPtr> children;
  EXPECT_FALSE(folder->EnumObjects(children));
  EXPECT_TRUE(children.empty());
}

TEST_F(ShellFolderTest, ReadInStepsGivesWhatOneGoGives) {
  MakeFolders(m_root + "/one");
  MakeFolders(m_root + "/two/inner");
  IdListPtr computerItem = m_space.GetSpecialFolderLocation(SpecialFolder::Computer);
  const struct {
    std::shared_ptr<ShellFolder> folder;
    std::optional<std::string> listed;  // what BeginRead names
    bool read;
  } cases[] = {{Bind(m_root), m_root, true},
               {m_space.GetDesktopFolder(), TestHome() + "/Desktop", true},
               {m_space.GetDesktopFolder()->BindToObject(computerItem.get()), std::nullopt, true},
               {Bind(m_root + "/gone"), m_root + "/gone", false}};
  const auto names = [](const std::vector<IdListPtr>& children) {
    std::vector<std::string> all;
    for (const IdListPtr& child : children) {
      all.emplace_back(NameOf(child.get()));
      all.back() += static_cast<char>('0' + AttributesOf(child.get()));
    }
    return all;
  };
  for (const auto& entry : cases) {
    ASSERT_NE(entry.folder, nullptr);
    SCOPED_TRACE(entry.listed.value_or("(none)"));
    const int readsBefore = m_space.FolderReads();
    const std::optional<std::string> listed = entry.folder->BeginRead();
    EXPECT_EQ(listed, entry.listed);
    EXPECT_EQ(m_space.FolderReads(), readsBefore + 1);
    const FolderListing listing = listed ? ReadFolderListing(m_fs, *listed) : FolderListing();
    EXPECT_EQ(m_space.FolderReads(), readsBefore + 1);  // the disk work counts nothing
    std::vector<IdListPtr> inSteps;
    EXPECT_EQ(entry.folder->EnumListing(listing, inSteps), entry.read);
    std::vector<IdListPtr> inOneGo;
    EXPECT_EQ(entry.folder->EnumObjects(inOneGo), entry.read);
    EXPECT_EQ(names(inSteps), names(inOneGo));
    EXPECT_EQ(inSteps.empty(), !entry.read);
  }
}

TEST_F(ShellFolderTest, HomeAndDesktopThatAreNotTextKeepTheirBytes) {
  const std::string home = m_root + "/caf\xe9";
  MakeFolders(home + "/Desktop");
  const std::string saved = TestHome();
  ::setenv("HOME", home.c_str(), 1);
  m_space.Refresh();
  const std::string seenHome = m_space.HomeDirectory();
  const std::string seenDesktop = m_space.DesktopDirectory();
  ::setenv("HOME", saved.c_str(), 1);
  m_space.Refresh();
  EXPECT_EQ(seenHome, home);
  EXPECT_EQ(seenDesktop, home + "/Desktop");
}

TEST_F(ShellFolderTest, DesktopOffersSpecialPlacesThenDesktopFolders) {
  const std::string desktop = TestHome() + "/Desktop";
  EXPECT_EQ(m_space.DesktopDirectory(), desktop);
  EXPECT_EQ(m_space.HomeDirectory(), TestHome());
  const std::string mine = std::filesystem::path(m_root).filename();
  MakeFolders(desktop + "/" + mine);

  std::shared_ptr<ShellFolder> root = m_space.GetDesktopFolder();
  const Listing listing = List(*root);
  ASSERT_GE(listing.names.size(), 4u);
  EXPECT_EQ(listing.names[0], "Computer");
  EXPECT_EQ(listing.names[1], "Home");
  EXPECT_EQ(listing.names[2], "Network");
  EXPECT_EQ(listing.hasSubfolders.count(mine), 1u);

  IdListPtr empty = m_space.GetSpecialFolderLocation(SpecialFolder::Desktop);
  std::string name;
  ASSERT_TRUE(GetItemName(*root, empty.get(), NameForm::Normal, name));
  EXPECT_EQ(name, "Desktop");
  ASSERT_TRUE(GetItemName(*root, empty.get(), NameForm::ForParsing, name));
  EXPECT_EQ(name, desktop);
  // The desktop directory's own list leads to the same path.
  IdListPtr direct = m_space.GetSpecialFolderLocation(SpecialFolder::DesktopDirectory);
  ASSERT_TRUE(direct);
  ASSERT_TRUE(root->GetDisplayNameOf(direct.get(), NameForm::ForParsing, name));
  EXPECT_EQ(name, desktop);

  IdListPtr computer = m_space.GetSpecialFolderLocation(SpecialFolder::Computer);
  ASSERT_TRUE(GetItemName(*root, computer.get(), NameForm::ForParsing, name));
  EXPECT_NE(name.front(), '/');  // no path: selecting it must empty the box
  std::filesystem::remove_all(desktop + "/" + mine);
}

TEST_F(ShellFolderTest, ComputerListsTheRootVolumeFirst) {
  std::shared_ptr<ShellFolder> root = m_space.GetDesktopFolder();
  IdListPtr computerItem = m_space.GetSpecialFolderLocation(SpecialFolder::Computer);
  std::shared_ptr<ShellFolder> computer = root->BindToObject(computerItem.get());
  ASSERT_NE(computer, nullptr);
  const Listing listing = List(*computer);
  ASSERT_FALSE(listing.names.empty());
  EXPECT_EQ(listing.names[0], "File System (/)");
  for (const MountedVolume& volume : m_space.Volumes()) {
    EXPECT_FALSE(volume.rootPath.starts_with("/proc")) << volume.rootPath;
    EXPECT_FALSE(volume.rootPath.starts_with("/sys")) << volume.rootPath;
  }
}

TEST_F(ShellFolderTest, NamesAreBytesAndLongListsAreFollowed) {
  const std::string odd = "caf\xE9";  // Latin-1, not UTF-8
  MakeFolders(m_root + "/" + odd + "/deep");
  IdListPtr list = m_space.ParseDisplayName(m_root + "//" + odd + "/deep");
  ASSERT_TRUE(list);
  std::string name;
  ASSERT_TRUE(m_space.GetDesktopFolder()->GetDisplayNameOf(list.get(), NameForm::ForParsing, name));
  EXPECT_EQ(name, m_root + "/" + odd + "/deep");
  ASSERT_TRUE(m_space.GetDesktopFolder()->GetDisplayNameOf(list.get(), NameForm::InFolder, name));
  EXPECT_EQ(name, "deep");

  // A kind that no folder knows has no name, and the name stays as it was.
  IdListPtr bogus = MakeItemId(m_space.Allocator(), static_cast<ItemKind>(99), 0, "x");
  name = "unchanged";
  EXPECT_FALSE(GetItemName(*m_space.GetDesktopFolder(), bogus.get(), NameForm::Normal, name));
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(m_space.GetDesktopFolder()->BindToObject(bogus.get()), nullptr);
}

TEST_F(ShellFolderTest, SiblingsSortSpecialPlacesFirstThenNaturally) {
  std::shared_ptr<ShellFolder> root = m_space.GetDesktopFolder();
  IdListAllocator& allocator = m_space.Allocator();
  auto folder = [&](const char* name) { return MakeItemId(allocator, ItemKind::Folder, 0, name); };
  IdListPtr computer = MakeItemId(allocator, ItemKind::Computer, 0, {});
  IdListPtr home = MakeItemId(allocator, ItemKind::Home, 0, {});
  IdListPtr network = MakeItemId(allocator, ItemKind::Network, 0, {});
  IdListPtr aardvark = folder("aardvark");
  EXPECT_LT(root->CompareIDs(computer.get(), home.get()), 0);
  EXPECT_LT(root->CompareIDs(home.get(), network.get()), 0);
  EXPECT_LT(root->CompareIDs(network.get(), aardvark.get()), 0);
  EXPECT_GT(root->CompareIDs(aardvark.get(), computer.get()), 0);

  IdListPtr two = folder("Shot2"), ten = folder("shot10");
  EXPECT_LT(root->CompareIDs(two.get(), ten.get()), 0);  // digits by value
  IdListPtr apple = folder("apple"), banana = folder("Banana");
  EXPECT_LT(root->CompareIDs(apple.get(), banana.get()), 0);  // case ignored
  IdListPtr upper = folder("Photos"), lower = folder("photos");
  const int order = root->CompareIDs(upper.get(), lower.get());
  EXPECT_NE(order, 0);  // never equal: the order is stable
  EXPECT_EQ(root->CompareIDs(lower.get(), upper.get()), -order);
  EXPECT_EQ(root->CompareIDs(upper.get(), upper.get()), 0);
}

TEST(MountedVolumesTest, PathBelongsToTheLongestWholeComponentMount) {
  const std::vector<MountedVolume> volumes = {
      {"/", "File System (/)", false},
      {"/mnt/a", "a (/mnt/a)", false},
      {"/mnt/a/b", "b (/mnt/a/b)", true},
  };
  EXPECT_EQ(VolumeHolding(volumes, "/")->rootPath, "/");
  EXPECT_EQ(VolumeHolding(volumes, "/mnt/ab")->rootPath, "/");
  EXPECT_EQ(VolumeHolding(volumes, "/mnt/a")->rootPath, "/mnt/a");
  EXPECT_EQ(VolumeHolding(volumes, "/mnt/a/c/d")->rootPath, "/mnt/a");
  EXPECT_EQ(VolumeHolding(volumes, "/mnt/a/b/x")->rootPath, "/mnt/a/b");
  EXPECT_EQ(VolumeHolding(volumes, "relative/path"), nullptr);
  EXPECT_EQ(VolumeHolding(volumes, ""), nullptr);
}

TEST(ShellItemTest, IconIndicesFollowTheLastItemAndTheOpenFlag) {
  PosixFileSystem fs;
  ShellNamespace space(fs);
  IdListPtr desktop = space.GetSpecialFolderLocation(SpecialFolder::Desktop);
  IdListPtr path = space.ParseDisplayName("/usr");
  ASSERT_TRUE(path);
  ItemImages desktopImages, folderImages;
  SetItemIcons(space, desktop.get(), desktopImages);
  SetItemIcons(space, path.get(), folderImages);
  EXPECT_EQ(desktopImages.image, ShellIconList::IndexOf(IconKind::Desktop, false));
  EXPECT_EQ(folderImages.image, ShellIconList::IndexOf(IconKind::Folder, false));
  EXPECT_EQ(folderImages.selectedImage, ShellIconList::IndexOf(IconKind::Folder, true));
  EXPECT_FALSE(space.Icons().Icon(folderImages.image).isNull());
}

}  // namespace
}  // namespace kalvenor

namespace kalvenor {
namespace {

TEST(MountedVolumesTest, MountTableGivesDrivesAndShares) {
  const std::string table =
      "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
      "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "30 27 0:27 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
      "31 27 8:17 / /media/me/My\\040Disk rw shared:5 - vfat /dev/sdb1 rw\n"
      "32 27 0:40 / /mnt/nas rw - nfs4 nas:/export rw\n"
      "33 27 0:41 / /run/user/1000 rw - tmpfs tmpfs rw\n"
      "34 27 0:42 / /run/media/me/STICK rw - exfat /dev/sdc1 rw\n"
      "35 27 8:2 / /mnt/nas rw - ext4 /dev/sda2 rw\n"
      "36 27 7:1 / /snap/core/1 ro - squashfs /dev/loop1 ro\n"
      "37 27 8:3 / /data rw\n";  // no separator: not a mount line
  const std::vector<MountedVolume> volumes = UserVolumes(ParseMountTable(table));
  ASSERT_EQ(volumes.size(), 4u);
  EXPECT_EQ(volumes[0].rootPath, "/");
  EXPECT_EQ(volumes[0].label, "File System (/)");
  EXPECT_EQ(volumes[1].rootPath, "/media/me/My Disk");
  EXPECT_EQ(volumes[1].label, "My Disk (/media/me/My Disk)");
  EXPECT_EQ(volumes[2].rootPath, "/run/media/me/STICK");
  EXPECT_EQ(volumes[3].rootPath, "/mnt/nas");  // the later mount on top wins
  EXPECT_FALSE(volumes[3].network);
  // A table without "/" (a process in a chroot) still has the root first.
  const std::vector<MountedVolume> withoutRoot =
      UserVolumes(ParseMountTable("40 1 0:50 / /mnt/share rw - cifs //h/s rw\n"));
  ASSERT_EQ(withoutRoot.size(), 2u);
  EXPECT_EQ(withoutRoot[0].label, "File System (/)");
  EXPECT_FALSE(withoutRoot[0].network);
  EXPECT_EQ(withoutRoot[1].rootPath, "/mnt/share");
  EXPECT_TRUE(withoutRoot[1].network);
  EXPECT_EQ(VolumeHolding(withoutRoot, "/home/me")->rootPath, "/");
}

}  // namespace
}  // namespace kalvenor
