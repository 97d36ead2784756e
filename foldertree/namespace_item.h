// What one item of an identifier list holds in this namespace: after the
// 16-bit count, a kind tag, an attribute byte and the name bytes (a folder's
// own name, or a volume's mount point). The attribute byte records what the
// enumeration learnt, so that asking for attributes later costs no second
// look at the disk. Two items name the same place when kind and name agree,
// byte for byte; the attribute byte does not take part.
#pragma once

#include <cstdint>
#include <string_view>

#include "id_list.h"

namespace kalvenor {

enum class ItemKind : std::uint8_t {
  Computer = 1,  // the mounted local volumes
  Home = 2,      // the user's home folder
  Network = 3,   // the mounted network shares
  Volume = 4,    // a local volume; name = mount point
  Share = 5,     // a network share; name = mount point
  Folder = 6,    // a folder; name = its name in its parent
};

// Attribute byte values.
inline constexpr std::uint8_t kItemHasSubfolders = 0x01;

// A new one-item list for `kind`, `attributes` and `name`; empty pointer when
// the allocation fails or the item would not fit its 16-bit count.
IdListPtr MakeItemId(IdListAllocator& allocator, ItemKind kind, std::uint8_t attributes,
                     std::string_view name);

// The parts of the item that `item` points at, which must be no terminator
// and must have been made by MakeItemId. A malformed item (count below the
// header's size) reads as kind 0, attributes 0 and an empty name.
ItemKind KindOf(const ItemIdList* item);
std::uint8_t AttributesOf(const ItemIdList* item);
std::string_view NameOf(const ItemIdList* item);

// True when both items name the same place (kind and name equal).
bool SameItem(const ItemIdList* a, const ItemIdList* b);

}  // namespace kalvenor
