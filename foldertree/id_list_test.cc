#include "id_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "namespace_item.h"

namespace kalvenor {
namespace {

// Builds a list from raw items of the given counts, each filled with a
// distinct byte, followed by the terminator.
std::vector<unsigned char> RawList(std::initializer_list<std::uint16_t> counts) {
  std::vector<unsigned char> bytes;
  unsigned char fill = 0x41;
  for (std::uint16_t count : counts) {
    const std::size_t at = bytes.size();
    bytes.resize(at + count, fill++);
    std::memcpy(bytes.data() + at, &count, 2);
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

const ItemIdList* AsList(const std::vector<unsigned char>& bytes) {
  return reinterpret_cast<const ItemIdList*>(bytes.data());
}

std::vector<unsigned char> BytesOf(const ItemIdList* list) {
  const auto* begin = reinterpret_cast<const unsigned char*>(list);
  return std::vector<unsigned char>(begin, begin + GetIdListSize(list));
}

// An allocator that refuses every block, as the shell's may.
class FailingAllocator : public IdListAllocator {
 public:
  void* Alloc(std::size_t) override { return nullptr; }
};

TEST(IdListTest, SizeCountsItemsAndTerminator) {
  EXPECT_EQ(GetIdListSize(nullptr), 0u);
  const auto empty = RawList({});
  EXPECT_EQ(GetIdListSize(AsList(empty)), 2u);
  const auto two = RawList({20, 14});
  EXPECT_EQ(GetIdListSize(AsList(two)), 36u);
  // Items after an odd-sized one are unaligned; the walk must still work.
  const auto odd = RawList({5, 7, 3});
  EXPECT_EQ(GetIdListSize(AsList(odd)), 17u);
  EXPECT_EQ(reinterpret_cast<const unsigned char*>(GetNextId(AsList(odd))), odd.data() + 5);
}

TEST(IdListTest, AllocGivesZeroFilledOwnedBlocks) {
  IdListAllocator allocator;
  {
    IdListPtr block = AllocIdList(allocator, 64);
    ASSERT_TRUE(block);
    const auto* bytes = reinterpret_cast<const unsigned char*>(block.get());
    for (int i = 0; i < 64; ++i) EXPECT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_EQ(allocator.OutstandingBlocks(), 1u);
  }
  EXPECT_EQ(allocator.OutstandingBlocks(), 0u);
  FailingAllocator failing;
  EXPECT_FALSE(AllocIdList(failing, 8));
}

TEST(IdListTest, ConcatJoinsItemsAndLeavesInputsAlone) {
  IdListAllocator allocator;
  const auto empty = RawList({});
  IdListPtr fresh = ConcatIdLists(allocator, nullptr, AsList(empty));
  ASSERT_TRUE(fresh);
  EXPECT_NE(fresh.get(), AsList(empty));
  EXPECT_EQ(GetIdListSize(fresh.get()), 2u);

  const auto two = RawList({20, 14});
  const auto one = RawList({9});
  const auto twoBefore = two;
  const auto oneBefore = one;
  IdListPtr three = ConcatIdLists(allocator, AsList(two), AsList(one));
  ASSERT_TRUE(three);
  EXPECT_EQ(GetIdListSize(three.get()), 36u + 11u - 2u);
  std::vector<unsigned char> expected(two.begin(), two.end() - 2);
  expected.insert(expected.end(), one.begin(), one.end());
  EXPECT_EQ(BytesOf(three.get()), expected);
  EXPECT_EQ(two, twoBefore);
  EXPECT_EQ(one, oneBefore);

  FailingAllocator failing;
  EXPECT_FALSE(ConcatIdLists(failing, AsList(two), AsList(one)));
  EXPECT_FALSE(ConcatIdLists(allocator, AsList(two), nullptr));
}

TEST(IdListTest, CopyFirstIdTakesOneItemAndEndsIt) {
  IdListAllocator allocator;
  const auto empty = RawList({});
  IdListPtr copy = CopyFirstId(allocator, AsList(empty));
  ASSERT_TRUE(copy);
  EXPECT_EQ(GetIdListSize(copy.get()), 2u);

  const auto one = RawList({9});
  copy = CopyFirstId(allocator, AsList(one));
  EXPECT_EQ(BytesOf(copy.get()), one);

  // Given a longer list, the copy still ends after the first item.
  const auto two = RawList({6, 8});
  copy = CopyFirstId(allocator, AsList(two));
  ASSERT_TRUE(copy);
  EXPECT_EQ(GetIdListSize(copy.get()), 8u);
  EXPECT_EQ(BytesOf(copy.get()), RawList({6}));
}

TEST(IdListTest, AllocatorKeepsTrackOfWhatIsHandedOut) {
  auto allocator = std::make_unique<IdListAllocator>();
  std::vector<void*> blocks;
  for (std::size_t size : {0u, 1u, 7u, 300u}) {
    blocks.push_back(allocator->Alloc(size));
    ASSERT_NE(blocks.back(), nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(blocks.back()) % alignof(std::max_align_t), 0u);
  }
  std::memset(blocks[3], 0xAB, 300);  // the whole block is usable
  allocator->Free(blocks[1]);         // from the middle of the list
  allocator->Free(nullptr);
  EXPECT_EQ(allocator->OutstandingBlocks(), 3u);
  allocator->Free(blocks[3]);
  EXPECT_EQ(allocator->OutstandingBlocks(), 2u);
  allocator.reset();  // frees the rest; a leak checker would see any left
}

TEST(NamespaceItemTest, ItemsCarryKindAttributesAndRawName) {
  IdListAllocator allocator;
  const std::string name("Ph\xF6to\0s\0", 8);  // invalid UTF-8, a NUL inside and one at the end
  IdListPtr item = MakeItemId(allocator, ItemKind::Folder, kItemHasSubfolders, name);
  ASSERT_TRUE(item);
  EXPECT_EQ(GetIdListSize(item.get()), 4u + name.size() + 2u);
  EXPECT_EQ(KindOf(item.get()), ItemKind::Folder);
  EXPECT_EQ(AttributesOf(item.get()), kItemHasSubfolders);
  EXPECT_EQ(NameOf(item.get()), name);

  IdListPtr same = MakeItemId(allocator, ItemKind::Folder, 0, name);
  IdListPtr otherCase = MakeItemId(allocator, ItemKind::Folder, 0, "photos");
  IdListPtr otherKind = MakeItemId(allocator, ItemKind::Volume, 0, name);
  EXPECT_TRUE(SameItem(item.get(), same.get()));
  EXPECT_FALSE(SameItem(item.get(), otherCase.get()));
  EXPECT_FALSE(SameItem(item.get(), otherKind.get()));

  EXPECT_FALSE(MakeItemId(allocator, ItemKind::Folder, 0, std::string(70000, 'x')));
  const auto malformed = RawList({3});
  EXPECT_EQ(NameOf(AsList(malformed)), "");
}

}  // namespace
}  // namespace kalvenor
