#include "shell_folder.h"

#include "display_text.h"
#include "file_name.h"
#include "namespace_item.h"
#include "shell_namespace.h"

namespace kalvenor {

namespace {

constexpr const char* kComputerParsingName = "computer:///";
constexpr const char* kNetworkParsingName = "network:///";

std::string_view LastComponent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || path.size() == 1) return path;
  return std::string_view(path).substr(slash + 1);
}

const MountedVolume* FindVolume(const ShellNamespace& space, std::string_view root) {
  for (const MountedVolume& volume : space.Volumes()) {
    if (volume.rootPath == root) return &volume;
  }
  return nullptr;
}

// The folders of the file system, volumes and the home folder included.
class FileSystemFolder final : public ShellFolder {
 public:
  using ShellFolder::ShellFolder;
  bool EnumListing(const FolderListing& listing, std::vector<IdListPtr>& children) override {
    return AppendSubfolders(listing, children);
  }

 protected:
  std::string SelfName(NameForm form) const override {
    return form == NameForm::ForParsing ? Path() : std::string(LastComponent(Path()));
  }
};

// "Computer" or "Network": the mounted volumes of one sort.
class VolumeListFolder final : public ShellFolder {
 public:
  VolumeListFolder(ShellNamespace& space, bool network)
      : ShellFolder(space, std::string()), m_network(network) {}

  bool EnumListing(const FolderListing& /*listing*/, std::vector<IdListPtr>& children) override {
    for (const MountedVolume& volume : Space().Volumes()) {
      if (volume.network != m_network) continue;
      IdListPtr item =
          MakeItemId(Space().Allocator(), m_network ? ItemKind::Share : ItemKind::Volume,
                     kItemHasSubfolders, volume.rootPath);
      if (item) children.push_back(std::move(item));
    }
    return true;
  }

 protected:
  // The volumes are known already: nothing to read from the disk.
  std::optional<std::string> ListedFolder() const override { return std::nullopt; }
  std::string SelfName(NameForm form) const override {
    if (form == NameForm::ForParsing) {
      return m_network ? kNetworkParsingName : kComputerParsingName;
    }
    return m_network ? "Network" : "Computer";
  }

 private:
  bool m_network;
};

// The root: Computer, Home and Network, then the desktop directory's own
// subfolders.
class DesktopFolder final : public ShellFolder {
 public:
  explicit DesktopFolder(ShellNamespace& space) : ShellFolder(space, space.DesktopDirectory()) {}

  bool EnumListing(const FolderListing& listing, std::vector<IdListPtr>& children) override {
    for (ItemKind kind : {ItemKind::Computer, ItemKind::Home, ItemKind::Network}) {
      IdListPtr item = MakeItemId(Space().Allocator(), kind, kItemHasSubfolders, {});
      if (item) children.push_back(std::move(item));
    }
    // The special places stay even when the desktop directory is unreadable.
    AppendSubfolders(listing, children);
    return true;
  }

 protected:
  std::string SelfName(NameForm form) const override {
    return form == NameForm::ForParsing ? Path() : "Desktop";
  }
};

}  // namespace

ShellFolder::ShellFolder(ShellNamespace& space, std::string path)
    : m_space(space), m_path(std::move(path)) {}

ShellFolder::~ShellFolder() = default;

bool ShellFolder::EnumObjects(std::vector<IdListPtr>& children) {
  const std::optional<std::string> listed = BeginRead();
  return EnumListing(listed ? ReadFolderListing(m_space.Files(), *listed) : FolderListing(),
                     children);
}

std::optional<std::string> ShellFolder::BeginRead() const {
  // The parsing name is the folder's path, or for Computer and Network the
  // name that stands for them.
  m_space.NoteFolderRead(SelfName(NameForm::ForParsing));
  return ListedFolder();
}

bool ShellFolder::AppendSubfolders(const FolderListing& listing,
                                   std::vector<IdListPtr>& children) const {
  if (!listing.read) return false;
  for (const SubfolderEntry& entry : listing.subfolders) {
    IdListPtr item = MakeItemId(m_space.Allocator(), ItemKind::Folder,
                                entry.hasSubfolders ? kItemHasSubfolders : 0, entry.name);
    if (item) children.push_back(std::move(item));
  }
  return true;
}

std::uint32_t ShellFolder::GetAttributesOf(const ItemIdList* child, std::uint32_t mask) const {
  std::uint32_t attributes = kAttrFolder;
  if ((AttributesOf(child) & kItemHasSubfolders) != 0) {
    attributes |= kAttrHasSubfolder;
  }
  return attributes & mask;
}

std::shared_ptr<ShellFolder> ShellFolder::BindToObject(const ItemIdList* child) const {
  const std::string_view name = NameOf(child);
  switch (KindOf(child)) {
    case ItemKind::Computer: return std::make_shared<VolumeListFolder>(m_space, false);
    case ItemKind::Network: return std::make_shared<VolumeListFolder>(m_space, true);
    case ItemKind::Home:
      return std::make_shared<FileSystemFolder>(m_space, m_space.HomeDirectory());
    case ItemKind::Volume:
    case ItemKind::Share: return std::make_shared<FileSystemFolder>(m_space, std::string(name));
    case ItemKind::Folder:
      if (m_path.empty()) return nullptr;
      return std::make_shared<FileSystemFolder>(m_space, JoinPath(m_path, name));
  }
  return nullptr;
}

bool ShellFolder::GetDisplayNameOf(const ItemIdList* list, NameForm form, std::string& name) const {
  if (list == nullptr) return false;
  if (ItemCount(list) == 0) {
    name = SelfName(form);
    return true;
  }
  if (ItemCount(GetNextId(list)) == 0) return ChildName(list, form, name);
  // A longer list: the first item's folder names the rest.
  IdListPtr first = CopyFirstId(m_space.Allocator(), list);
  if (!first) return false;
  const std::shared_ptr<ShellFolder> child = BindToObject(first.get());
  return child != nullptr && child->GetDisplayNameOf(GetNextId(list), form, name);
}

bool ShellFolder::ChildName(const ItemIdList* child, NameForm form, std::string& name) const {
  const bool parsing = form == NameForm::ForParsing;
  const std::string_view own = NameOf(child);
  switch (KindOf(child)) {
    case ItemKind::Computer: name = parsing ? kComputerParsingName : "Computer"; return true;
    case ItemKind::Network: name = parsing ? kNetworkParsingName : "Network"; return true;
    case ItemKind::Home: name = parsing ? m_space.HomeDirectory() : "Home"; return true;
    case ItemKind::Volume:
    case ItemKind::Share: {
      if (parsing) {
        name = own;
        return true;
      }
      const MountedVolume* volume = FindVolume(m_space, own);
      name = volume != nullptr ? volume->label : std::string(own);
      return true;
    }
    case ItemKind::Folder:
      if (m_path.empty()) return false;
      name = parsing ? JoinPath(m_path, own) : std::string(own);
      return true;
  }
  return false;
}

SiblingSortName ShellFolder::SortName(const ItemIdList* child) const {
  std::string label;
  if (!ChildName(child, NameForm::InFolder, label)) label = NameOf(child);
  return SiblingSortName{SortRankOf(child), DisplayText(label), NameOf(child)};
}

int ShellFolder::CompareIDs(const ItemIdList* a, const ItemIdList* b) const {
  return CompareSiblings(m_space.Collator(), SortName(a), SortName(b));
}

std::shared_ptr<ShellFolder> MakeDesktopFolder(ShellNamespace& space) {
  return std::make_shared<DesktopFolder>(space);
}

}  // namespace kalvenor
