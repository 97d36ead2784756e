#include "id_list.h"

#include <cstdlib>
#include <cstring>

namespace kalvenor {

namespace {

const unsigned char* Bytes(const ItemIdList* list) {
  return reinterpret_cast<const unsigned char*>(list);
}

}  // namespace

IdListAllocator::~IdListAllocator() {
  for (Header* header = m_handedOut.next; header != &m_handedOut;) {
    Header* next = header->next;
    std::free(header);
    header = next;
  }
}

void* IdListAllocator::Alloc(std::size_t size) { return TakeBlock(size); }

void* IdListAllocator::TakeBlock(std::size_t size) {
  // The header's size keeps the block aligned for any type.
  static_assert(sizeof(Header) % alignof(std::max_align_t) == 0);
  auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
  if (header == nullptr) return nullptr;
  header->previous = &m_handedOut;
  header->next = m_handedOut.next;
  m_handedOut.next->previous = header;
  m_handedOut.next = header;
  ++m_outstanding;
  return header + 1;
}

void IdListAllocator::Free(void* block) {
  if (block == nullptr) return;
  Header* header = static_cast<Header*>(block) - 1;
  header->previous->next = header->next;
  header->next->previous = header->previous;
  --m_outstanding;
  std::free(header);
}

std::uint16_t ItemCount(const ItemIdList* item) {
  std::uint16_t count;
  std::memcpy(&count, item, sizeof count);
  return count;
}

IdListPtr AllocIdList(IdListAllocator& allocator, std::uint32_t size) {
  void* block = allocator.Alloc(size);
  if (block == nullptr) return IdListPtr(nullptr, IdListDeleter{&allocator});
  std::memset(block, 0, size);
  return IdListPtr(static_cast<ItemIdList*>(block), IdListDeleter{&allocator});
}

const ItemIdList* GetNextId(const ItemIdList* item) {
  return reinterpret_cast<const ItemIdList*>(Bytes(item) + ItemCount(item));
}

std::size_t GetIdListSize(const ItemIdList* list) {
  if (list == nullptr) return 0;
  std::size_t size = 2;
  for (const ItemIdList* item = list; ItemCount(item) != 0; item = GetNextId(item)) {
    size += ItemCount(item);
  }
  return size;
}

IdListPtr ConcatIdLists(IdListAllocator& allocator, const ItemIdList* first,
                        const ItemIdList* second) {
  if (second == nullptr) return IdListPtr(nullptr, IdListDeleter{&allocator});
  const std::size_t firstLength = first != nullptr ? GetIdListSize(first) - 2 : 0;
  const std::size_t secondLength = GetIdListSize(second);
  IdListPtr joined = AllocIdList(allocator, static_cast<std::uint32_t>(firstLength + secondLength));
  if (!joined) return joined;
  auto* out = reinterpret_cast<unsigned char*>(joined.get());
  if (firstLength != 0) std::memcpy(out, first, firstLength);
  if (secondLength != 0) std::memcpy(out + firstLength, second, secondLength);
  return joined;
}

IdListPtr CopyFirstId(IdListAllocator& allocator, const ItemIdList* list) {
  const std::size_t count = ItemCount(list);
  IdListPtr copy(static_cast<ItemIdList*>(allocator.Alloc(count + 2)), IdListDeleter{&allocator});
  if (!copy) return copy;
  std::memcpy(copy.get(), list, count);
  // Written rather than copied: a list longer than one item has the next
  // item's count here, not a terminator.
  std::memset(reinterpret_cast<unsigned char*>(copy.get()) + count, 0, 2);
  return copy;
}

}  // namespace kalvenor
