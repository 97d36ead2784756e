#include "namespace_item.h"

#include <cstring>
#include <limits>

namespace kalvenor {

namespace {

constexpr std::size_t kHeaderSize = 4;  // count, kind, attributes

const unsigned char* Bytes(const ItemIdList* item) {
  return reinterpret_cast<const unsigned char*>(item);
}

bool WellFormed(const ItemIdList* item) { return ItemCount(item) >= kHeaderSize; }

}  // namespace

IdListPtr MakeItemId(IdListAllocator& allocator, ItemKind kind, std::uint8_t attributes,
                     std::string_view name) {
  const std::size_t count = kHeaderSize + name.size();
  if (count > std::numeric_limits<std::uint16_t>::max()) {
    return IdListPtr(nullptr, IdListDeleter{&allocator});
  }
  IdListPtr list = AllocIdList(allocator, static_cast<std::uint32_t>(count + 2));
  if (!list) return list;
  auto* out = reinterpret_cast<unsigned char*>(list.get());
  const auto count16 = static_cast<std::uint16_t>(count);
  std::memcpy(out, &count16, sizeof count16);
  out[2] = static_cast<unsigned char>(kind);
  out[3] = attributes;
  if (!name.empty()) std::memcpy(out + kHeaderSize, name.data(), name.size());
  return list;  // AllocIdList zeroed the terminator
}

ItemKind KindOf(const ItemIdList* item) {
  return WellFormed(item) ? static_cast<ItemKind>(Bytes(item)[2]) : ItemKind{0};
}

std::uint8_t AttributesOf(const ItemIdList* item) { return WellFormed(item) ? Bytes(item)[3] : 0; }

std::string_view NameOf(const ItemIdList* item) {
  if (!WellFormed(item)) return {};
  return std::string_view(reinterpret_cast<const char*>(Bytes(item)) + kHeaderSize,
                          ItemCount(item) - kHeaderSize);
}

bool SameItem(const ItemIdList* a, const ItemIdList* b) {
  return KindOf(a) == KindOf(b) && NameOf(a) == NameOf(b);
}

}  // namespace kalvenor
