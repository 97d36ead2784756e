#include "shell_item.h"

#include "namespace_item.h"
#include "shell_namespace.h"

namespace kalvenor {

bool GetItemName(const ShellFolder& folder, const ItemIdList* relative, NameForm form,
                 std::string& name) {
  return folder.GetDisplayNameOf(relative, form, name);
}

int GetIconIndex(ShellNamespace& /*space*/, const ItemIdList* absolute, std::uint32_t flags) {
  const bool open = (flags & kIconOpen) != 0;
  if (absolute == nullptr || ItemCount(absolute) == 0) {
    return ShellIconList::IndexOf(IconKind::Desktop, open);
  }
  const ItemIdList* last = absolute;
  while (ItemCount(GetNextId(last)) != 0) last = GetNextId(last);
  switch (KindOf(last)) {
    case ItemKind::Computer: return ShellIconList::IndexOf(IconKind::Computer, open);
    case ItemKind::Home: return ShellIconList::IndexOf(IconKind::Home, open);
    case ItemKind::Network: return ShellIconList::IndexOf(IconKind::Network, open);
    case ItemKind::Volume: return ShellIconList::IndexOf(IconKind::Volume, open);
    case ItemKind::Share: return ShellIconList::IndexOf(IconKind::Share, open);
    case ItemKind::Folder: break;
  }
  return ShellIconList::IndexOf(IconKind::Folder, open);
}

void SetItemIcons(ShellNamespace& space, const ItemIdList* absolute, ItemImages& images) {
  images.image = GetIconIndex(space, absolute, kIconSmall);
  images.selectedImage = GetIconIndex(space, absolute, kIconSmall | kIconOpen);
}

}  // namespace kalvenor
