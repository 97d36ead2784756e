#include "shell_namespace.h"

#include <QLocale>

#include "namespace_item.h"
#include "shell_folder.h"

namespace kalvenor {

namespace {

// Numeric collation needs a real locale; the "C" locale compares code
// points, so names would not sort as the user expects.
QLocale CollationLocale() {
  const QLocale system;
  if (system.language() == QLocale::C) {
    return QLocale(QLocale::English, QLocale::UnitedStates);
  }
  return system;
}

// Appends the items of `item` (a one-item list) to `list`.
bool Append(IdListAllocator& allocator, IdListPtr& list, IdListPtr item) {
  if (!item) return false;
  IdListPtr joined = ConcatIdLists(allocator, list.get(), item.get());
  if (!joined) return false;
  list = std::move(joined);
  return true;
}

}  // namespace

ShellNamespace::ShellNamespace(FileSystem& fs) : ShellNamespace(fs, NamespacePlaces()) {
  Refresh();
}

ShellNamespace::ShellNamespace(FileSystem& fs, NamespacePlaces places)
    : m_fs(fs), m_collator(CollationLocale()) {
  m_collator.setNumericMode(true);
  m_collator.setCaseSensitivity(Qt::CaseInsensitive);
  SetPlaces(std::move(places));
}

ShellNamespace::~ShellNamespace() = default;

void ShellNamespace::Refresh() { SetPlaces(ReadNamespacePlaces(m_fs)); }

void ShellNamespace::SetPlaces(NamespacePlaces places) {
  m_desktopDirectory = std::move(places.desktopDirectory);
  m_homeDirectory = std::move(places.homeDirectory);
  m_volumes = std::move(places.volumes);
}

std::shared_ptr<ShellFolder> ShellNamespace::GetDesktopFolder() { return MakeDesktopFolder(*this); }

IdListPtr ShellNamespace::GetSpecialFolderLocation(SpecialFolder which) {
  switch (which) {
    case SpecialFolder::Desktop: return AllocIdList(m_allocator, 2);
    case SpecialFolder::DesktopDirectory: return ParseDisplayName(m_desktopDirectory);
    case SpecialFolder::Computer:
      return MakeItemId(m_allocator, ItemKind::Computer, kItemHasSubfolders, {});
    case SpecialFolder::Network:
      return MakeItemId(m_allocator, ItemKind::Network, kItemHasSubfolders, {});
  }
  return IdListPtr(nullptr, IdListDeleter{&m_allocator});
}

IdListPtr ShellNamespace::ParseDisplayName(const std::string& path) {
  IdListPtr none(nullptr, IdListDeleter{&m_allocator});
  const MountedVolume* volume = VolumeHolding(m_volumes, path);
  if (volume == nullptr) return none;
  IdListPtr list =
      GetSpecialFolderLocation(volume->network ? SpecialFolder::Network : SpecialFolder::Computer);
  if (!list || !Append(m_allocator, list,
                       MakeItemId(m_allocator, volume->network ? ItemKind::Share : ItemKind::Volume,
                                  kItemHasSubfolders, volume->rootPath))) {
    return none;
  }
  // The folders below the mount point, one item per component; repeated
  // slashes give no empty component.
  std::size_t start = volume->rootPath == "/" ? 1 : volume->rootPath.size();
  while (start < path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      const std::string_view name(path.data() + start, end - start);
      if (!Append(m_allocator, list, MakeItemId(m_allocator, ItemKind::Folder, 0, name))) {
        return none;
      }
    }
    start = end + 1;
  }
  return list;
}

void ShellNamespace::NoteFolderRead(const std::string& path) {
  ++m_folderReads;
  ++m_readsByPath[path];
}

int ShellNamespace::FolderReadsOf(const std::string& path) const {
  const auto found = m_readsByPath.find(path);
  return found == m_readsByPath.end() ? 0 : found->second;
}

}  // namespace kalvenor
