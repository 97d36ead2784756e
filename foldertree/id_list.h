// Item identifier lists: how the folder tree names a place in the namespace.
//
// A list is a run of items, each opening with a 16-bit byte count that
// includes the count itself, ended by a 16-bit zero. The terminator alone
// (2 bytes) is the empty list and names the Desktop. A relative list holds
// one item and names a child inside its parent folder; an absolute list names
// a place from the Desktop down. What an item holds after its count is the
// namespace's business (see namespace_item.h).
//
// Every list is a block from an IdListAllocator. The allocator owns what it
// hands out until the block is freed, and frees what is left when it goes; an
// IdListPtr frees its block through the allocator that made it, so whoever
// receives a list owns it. The helpers never change or free a list they are
// given. Counts are read and written with memcpy: items are packed, so an
// item after an odd-sized one is not aligned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kalvenor {

// Opaque: a list is only ever handled through pointers to its first byte.
struct ItemIdList;

class IdListAllocator {
 public:
  IdListAllocator() = default;
  IdListAllocator(const IdListAllocator&) = delete;
  IdListAllocator& operator=(const IdListAllocator&) = delete;
  // Frees every block that was handed out and not yet freed.
  virtual ~IdListAllocator();

  // A block of `size` bytes (its contents undefined), or nullptr when no
  // memory can be had. A size of 0 still gives a distinct block.
  virtual void* Alloc(std::size_t size);
  // Gives back a block that this allocator's Alloc handed out; nullptr is
  // ignored.
  void Free(void* block);
  // How many blocks are handed out and not yet freed.
  std::size_t OutstandingBlocks() const { return m_outstanding; }

 protected:
  // Takes `size` bytes from the system into the allocator's keeping; for
  // allocators that wrap this one.
  void* TakeBlock(std::size_t size);

 private:
  // Every block is preceded by a header linking it into a list of what is
  // handed out, so that keeping and giving back are O(1).
  struct Header {
    Header* previous;
    Header* next;
  };
  Header m_handedOut{&m_handedOut, &m_handedOut};
  std::size_t m_outstanding = 0;
};

// Frees a list through the allocator that made it.
struct IdListDeleter {
  IdListAllocator* allocator = nullptr;
  void operator()(ItemIdList* list) const {
    if (allocator != nullptr) allocator->Free(list);
  }
};
using IdListPtr = std::unique_ptr<ItemIdList, IdListDeleter>;

// The 16-bit byte count of the item that `item` points at (0 for a
// terminator).
std::uint16_t ItemCount(const ItemIdList* item);

// A zero-filled block of `size` bytes from `allocator`, or an empty pointer
// when the allocation fails.
IdListPtr AllocIdList(IdListAllocator& allocator, std::uint32_t size);

// The item that follows `item`: its address advanced by its byte count. It
// does not look for the terminator; `item` must not be one.
const ItemIdList* GetNextId(const ItemIdList* item);

// The size of `list` in bytes, terminator included: 0 for nullptr, 2 for the
// empty list.
std::size_t GetIdListSize(const ItemIdList* list);

// A new list: the items of `first` (which may be nullptr) followed by the
// whole of `second`. With no first list, a fresh copy of `second`. An empty
// pointer when the allocation fails or `second` is nullptr.
IdListPtr ConcatIdLists(IdListAllocator& allocator, const ItemIdList* first,
                        const ItemIdList* second);

// A new list holding the first item of `list` and a terminator; the empty
// list gives a fresh empty list. Empty pointer when the allocation fails.
IdListPtr CopyFirstId(IdListAllocator& allocator, const ItemIdList* list);

}  // namespace kalvenor
