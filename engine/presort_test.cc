#include "presort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "file_name.h"

namespace kalvenor {
namespace {

FileEntry Entry(const std::string& name, FileTime time = 0) {
  NameParts parts = SplitFileName(name);
  return FileEntry{name, parts.stem, parts.ext, time, {}};
}

std::vector<std::string> Sorted(std::vector<FileEntry> entries, int sortType, bool ascending) {
  PresortEntries(entries, sortType, ascending);
  std::vector<std::string> names;
  for (const FileEntry& e : entries) names.push_back(e.name);
  return names;
}

using Names = std::vector<std::string>;

TEST(CompareIgnoreCaseTest, FoldsOnlyAsciiCapitalsAndComparesUnsigned) {
  EXPECT_EQ(CompareIgnoreCase("Holiday", "hOLIDAY"), 0);
  EXPECT_LT(CompareIgnoreCase("a", "ab"), 0);
  EXPECT_GT(CompareIgnoreCase("ab", "a"), 0);
  EXPECT_LT(CompareIgnoreCase("B_C", "bac"), 0);                  // '_' 0x5F below folded 'a'
  EXPECT_GT(CompareIgnoreCase("{", "Z"), 0);                      // '{' 0x7B above folded 'z'
  EXPECT_LT(CompareIgnoreCase("zebra", "\xc3\x89t\xc3\xa9"), 0);  // bytes >= 0x80 last
  EXPECT_NE(CompareIgnoreCase("\xc3\x89", "\xc3\xa9"), 0);        // no fold beyond ASCII
  EXPECT_EQ(CompareIgnoreCase("", ""), 0);
}

TEST(PresortTest, AlphanumericComparesStemThenExtension) {
  EXPECT_EQ(Sorted({Entry("File9.jpg"), Entry("File10.jpg")}, 0, true),
            (Names{"File10.jpg", "File9.jpg"}));
  EXPECT_EQ(Sorted({Entry("a-b.txt"), Entry("a.txt")}, 0, true), (Names{"a.txt", "a-b.txt"}));
  EXPECT_EQ(Sorted({Entry("Beta.txt"), Entry("alpha.TXT")}, 0, true),
            (Names{"alpha.TXT", "Beta.txt"}));
  EXPECT_EQ(Sorted({Entry("bac.txt"), Entry("B_C.txt")}, 0, true), (Names{"B_C.txt", "bac.txt"}));
  EXPECT_EQ(Sorted({Entry("\xc3\x89t\xc3\xa9.txt"), Entry("zebra.txt")}, 0, true),
            (Names{"zebra.txt", "\xc3\x89t\xc3\xa9.txt"}));
  EXPECT_EQ(Sorted({Entry("README.txt"), Entry("README")}, 0, true),
            (Names{"README", "README.txt"}));
  EXPECT_EQ(Sorted({Entry("a.txt"), Entry(".profile")}, 0, true), (Names{".profile", "a.txt"}));
}

TEST(PresortTest, FileTypeComparesExtensionThenStem) {
  EXPECT_EQ(Sorted({Entry("a.txt"), Entry("z.doc"), Entry("NOEXT")}, 2, true),
            (Names{"NOEXT", "z.doc", "a.txt"}));
  EXPECT_EQ(Sorted({Entry("photo.JPG"), Entry("image.jpg")}, 2, true),
            (Names{"image.jpg", "photo.JPG"}));
}

TEST(PresortTest, DateIsOldestFirstWithNameOrderForEqualTimes) {
  EXPECT_EQ(Sorted({Entry("c.jpg", 300), Entry("b.jpg", 100), Entry("a.jpg", 100)}, 1, true),
            (Names{"a.jpg", "b.jpg", "c.jpg"}));
  // Descending mirrors the tie-breaking too: newest first, then z before a.
  EXPECT_EQ(Sorted({Entry("c.jpg", 300), Entry("b.jpg", 100), Entry("a.jpg", 100)}, 1, false),
            (Names{"c.jpg", "b.jpg", "a.jpg"}));
  // Times compare as unsigned 64-bit values.
  EXPECT_EQ(Sorted({Entry("late", 0x8000000000000000ull), Entry("early", 1)}, 1, true),
            (Names{"early", "late"}));
}

TEST(PresortTest, DescendingIsTheMirrorOfAscending) {
  EXPECT_EQ(Sorted({Entry("b.txt"), Entry("a.txt"), Entry("c.txt")}, 0, false),
            (Names{"c.txt", "b.txt", "a.txt"}));
  EXPECT_EQ(Sorted({Entry("e"), Entry("a"), Entry("c"), Entry("b"), Entry("d")}, 0, false)[2], "c");
  EXPECT_TRUE(Sorted({}, 0, false).empty());
  EXPECT_EQ(Sorted({Entry("only")}, 1, false), Names{"only"});
}

TEST(PresortTest, UnknownSortTypesSortAlphanumeric) {
  const std::vector<FileEntry> entries = {Entry("b.a", 1), Entry("a.b", 2)};
  for (int type : {0, -1, 4, 99}) {
    EXPECT_EQ(Sorted(entries, type, true), (Names{"a.b", "b.a"})) << type;
  }
  EXPECT_EQ(Sorted(entries, 2, true), (Names{"b.a", "a.b"}));  // type 2 is by extension
  // Type 3 is by the time taken, then by name; the write time plays no part.
  std::vector<FileEntry> taken = {Entry("c.x", 1), Entry("b.x", 2), Entry("a.x", 3)};
  taken[0].taken = 20;
  taken[1].taken = 10;
  taken[2].taken = 20;
  EXPECT_EQ(Sorted(taken, 3, true), (Names{"b.x", "a.x", "c.x"}));
  EXPECT_EQ(Sorted(taken, 3, false), (Names{"c.x", "a.x", "b.x"}));
}

TEST(PresortTest, NamesDifferingOnlyInCaseAlwaysComeOutInOneOrder) {
  // Both spellings can coexist on Linux; the order must not depend on the
  // order the folder listed them in, or preview and commit could disagree.
  const Names expected = {"A.txt", "a.TXT", "a.txt", "b.txt"};
  std::vector<FileEntry> entries = {Entry("a.txt"), Entry("b.txt"), Entry("a.TXT"), Entry("A.txt")};
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    std::shuffle(entries.begin(), entries.end(), rng);
    EXPECT_EQ(Sorted(entries, 0, true), expected);
  }
}

TEST(PresortTest, LargeListsMatchAPlainComparisonSort) {
  std::vector<FileEntry> entries;
  std::mt19937 rng(42);
  for (int i = 0; i < 500; ++i) {
    entries.push_back(Entry("n" + std::to_string(rng() % 100000) + "." +
                                std::string(1, static_cast<char>('a' + rng() % 26)),
                            rng() % 50));
  }
  for (int type : {0, 1, 2}) {
    std::vector<FileEntry> expected = entries;
    // The orders as written out plainly, key after key.
    const auto less = [type](const FileEntry& x, const FileEntry& y) {
      const auto byName = [](const FileEntry& a, const FileEntry& b) {
        const int stem = CompareIgnoreCase(a.stem, b.stem);
        return stem != 0 ? stem < 0 : CompareIgnoreCase(a.ext, b.ext) < 0;
      };
      if (type == 1) return x.time != y.time ? x.time < y.time : byName(x, y);
      if (type == 2) {
        const int ext = CompareIgnoreCase(x.ext, y.ext);
        return ext != 0 ? ext < 0 : CompareIgnoreCase(x.stem, y.stem) < 0;
      }
      return byName(x, y);
    };
    std::stable_sort(expected.begin(), expected.end(), [&](const FileEntry& x, const FileEntry& y) {
      return less(x, y) || (!less(y, x) && x.name < y.name);
    });
    std::vector<FileEntry> actual = entries;
    PresortEntries(actual, type, true);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
      ASSERT_EQ(actual[i].name, expected[i].name) << "type " << type << " at " << i;
      if (i > 0) {
        ASSERT_FALSE(less(actual[i], actual[i - 1]));
      }
    }
  }
}

}  // namespace
}  // namespace kalvenor
