// Helpers through which the folder tree asks the namespace for an item's
// name and icons. They hold no state and never free or change a list they
// are given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "id_list.h"
#include "shell_folder.h"

namespace kalvenor {

class ShellNamespace;

// Flags for GetIconIndex.
inline constexpr std::uint32_t kIconSmall = 0x1;
inline constexpr std::uint32_t kIconOpen = 0x2;

// The images of one tree item: shown normally and while selected.
struct ItemImages {
  int image = -1;
  int selectedImage = -1;
};

// The name of the place `relative` names inside `folder`, in `form`. True
// with `name` set; false with `name` unchanged when the folder has no such
// name. Names are not cut to any length.
bool GetItemName(const ShellFolder& folder, const ItemIdList* relative, NameForm form,
                 std::string& name);

// The index in the namespace's icon list for the place that `absolute`
// names (the empty list: the Desktop); kIconOpen asks for the open form.
int GetIconIndex(ShellNamespace& space, const ItemIdList* absolute, std::uint32_t flags);

// Sets the item's normal image (the small icon) and selected image (the
// small open icon) for the place that `absolute` names.
void SetItemIcons(ShellNamespace& space, const ItemIdList* absolute, ItemImages& images);

}  // namespace kalvenor
