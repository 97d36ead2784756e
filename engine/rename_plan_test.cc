#include "rename_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_name.h"

namespace kalvenor {
namespace {

FileEntry Entry(const std::string& name) {
  NameParts parts = SplitFileName(name);
  return FileEntry{name, parts.stem, parts.ext, 0, {}};
}

RenameOptions Options(bool fillGaps, int baseIndex = 0, bool postfix = false) {
  RenameOptions o;
  o.baseName = "Holiday";
  o.baseIndex = baseIndex;
  o.postfix = postfix;
  o.fillGaps = fillGaps;
  return o;
}

// The plan as "old -> new" texts, with "<old> -> Not Renamed" first.
std::vector<std::string> Lines(const std::vector<FileEntry>& entries, const RenameOptions& o,
                               bool* limitHit = nullptr,
                               const std::vector<std::string>& keptNames = {}) {
  const RenamePlan plan = PlanRenames(entries, o, keptNames);
  std::vector<std::string> lines;
  for (const FileEntry* e : plan.inSeries) lines.push_back(e->name + " -> Not Renamed");
  for (const PlannedRename& r : plan.renames) lines.push_back(r.entry->name + " -> " + r.newName);
  if (limitHit != nullptr) *limitHit = plan.indexLimitHit;
  return lines;
}

using PlanLines = std::vector<std::string>;

TEST(SeriesIndexTest, RecognisesFourDigitsAndTheBaseNameOnTheChosenSide) {
  EXPECT_EQ(SeriesIndex(Entry("0003holiday.png"), "Holiday", false), 3);
  EXPECT_EQ(SeriesIndex(Entry("9999HOLIDAY"), "Holiday", false), 9999);
  EXPECT_EQ(SeriesIndex(Entry("Holiday0007.jpg"), "Holiday", true), 7);
  EXPECT_EQ(SeriesIndex(Entry("0007Holiday.jpg"), "Holiday", true), std::nullopt);
  EXPECT_EQ(SeriesIndex(Entry("Holiday0007.jpg"), "Holiday", false), std::nullopt);
  EXPECT_EQ(SeriesIndex(Entry("0001.jpg"), "", false), std::nullopt);  // stem of 4 bytes
  EXPECT_EQ(SeriesIndex(Entry("Holiday_0001.jpg"), "Holiday", true), std::nullopt);
  EXPECT_EQ(SeriesIndex(Entry("00a1Holiday.jpg"), "Holiday", false), std::nullopt);
  EXPECT_EQ(SeriesIndex(Entry("0001Holidays.jpg"), "Holiday", false), std::nullopt);
  // The extension plays no part; only ASCII letters fold.
  EXPECT_EQ(SeriesIndex(Entry("0001Holiday.tar.gz"), "Holiday", false), std::nullopt);
  EXPECT_EQ(SeriesIndex(Entry("0001Holiday.tar.gz"), "Holiday.tar", false), 1);
  EXPECT_EQ(SeriesIndex(Entry("0002\xc3\x89t\xc3\xa9"), "\xc3\xa9t\xc3\xa9", false), std::nullopt);
}

TEST(NewFileNameTest, WritesFourDigitsAndAlwaysTheDot) {
  EXPECT_EQ(NewFileName(1, "Holiday", "jpg", false), "0001Holiday.jpg");
  EXPECT_EQ(NewFileName(42, "Holiday", "jpg", true), "Holiday0042.jpg");
  EXPECT_EQ(NewFileName(9999, "Holiday", "", false), "9999Holiday.");
  EXPECT_EQ(NewFileName(0, "", "x", true), "0000.x");
}

TEST(PlanTest, NumbersInPresortedOrderWithAndWithoutGapFilling) {
  const std::vector<FileEntry> files = {Entry("a.jpg"), Entry("b.jpg")};
  EXPECT_EQ(Lines(files, Options(false)),
            (PlanLines{"a.jpg -> 0001Holiday.jpg", "b.jpg -> 0002Holiday.jpg"}));
  EXPECT_EQ(Lines(files, Options(true)),
            (PlanLines{"a.jpg -> 0000Holiday.jpg", "b.jpg -> 0001Holiday.jpg"}));
  EXPECT_EQ(Lines({Entry("README")}, Options(false)), (PlanLines{"README -> 0001Holiday."}));
}

TEST(PlanTest, SeriesFilesKeepTheirNumbersAndAreListedFirst) {
  const std::vector<FileEntry> files = {Entry("0003holiday.png"), Entry("x.gif")};
  EXPECT_EQ(Lines(files, Options(false)),
            (PlanLines{"0003holiday.png -> Not Renamed", "x.gif -> 0004Holiday.gif"}));
  EXPECT_EQ(Lines(files, Options(true)),
            (PlanLines{"0003holiday.png -> Not Renamed", "x.gif -> 0000Holiday.gif"}));
  EXPECT_EQ(Lines(files, Options(true, 3)),
            (PlanLines{"0003holiday.png -> Not Renamed", "x.gif -> 0004Holiday.gif"}));
  // Postfix: the prefix form is an ordinary file, renamed after the series.
  EXPECT_EQ(Lines({Entry("0007Holiday.jpg"), Entry("Holiday0007.jpg")}, Options(false, 0, true)),
            (PlanLines{"Holiday0007.jpg -> Not Renamed", "0007Holiday.jpg -> Holiday0008.jpg"}));
  // One index held by two files of the series is taken once.
  EXPECT_EQ(
      Lines({Entry("0005HOLIDAY.jpg"), Entry("0005Holiday.txt"), Entry("z")}, Options(true, 4)),
      (PlanLines{"0005HOLIDAY.jpg -> Not Renamed", "0005Holiday.txt -> Not Renamed",
                 "z -> 0004Holiday."}));
}

TEST(PlanTest, BaseIndexAgainstTheHighestIndexWithoutGapFilling) {
  const std::vector<FileEntry> files = {Entry("0003Holiday.a"), Entry("0007Holiday.b"),
                                        Entry("n.c")};
  EXPECT_EQ(Lines(files, Options(false, 50)).back(), "n.c -> 0050Holiday.c");
  EXPECT_EQ(Lines(files, Options(false, 5)).back(), "n.c -> 0008Holiday.c");
  // A series file below the base index still counts for the highest index.
  EXPECT_EQ(Lines({Entry("0002Holiday.a"), Entry("n.c")}, Options(false, 1)).back(),
            "n.c -> 0003Holiday.c");
}

TEST(PlanTest, KeptNamesHoldTheirIndicesWithoutBeingListed) {
  const std::vector<FileEntry> files = {Entry("a.jpg"), Entry("b.jpg")};
  const struct {
    std::vector<std::string> kept;
    RenameOptions options;
    PlanLines lines;
  } cases[] = {
      // A subfolder named like the first new name: that index is passed over.
      {{"0000Holiday.jpg"},
       Options(true),
       {"a.jpg -> 0001Holiday.jpg", "b.jpg -> 0002Holiday.jpg"}},
      // Any extension, any case, either side: the index is held as a series
      // file holds it, also for the highest index without gap filling.
      {{"0001HOLIDAY.png"},
       Options(true),
       {"a.jpg -> 0000Holiday.jpg", "b.jpg -> 0002Holiday.jpg"}},
      {{"Holiday0007"},
       Options(false, 0, true),
       {"a.jpg -> Holiday0008.jpg", "b.jpg -> Holiday0009.jpg"}},
      // Names outside the series, and the other side's form, hold nothing.
      {{"photos", "0000Holiday.jpg", ".DS_Store"},
       Options(true, 0, true),
       {"a.jpg -> Holiday0000.jpg", "b.jpg -> Holiday0001.jpg"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lines(files, c.options, nullptr, c.kept), c.lines) << c.kept.front();
  }
  bool limit = false;
  EXPECT_EQ(Lines(files, Options(false), &limit, {"9999Holiday.d"}), PlanLines{});
  EXPECT_TRUE(limit);
}

TEST(PlanTest, GapFillingUsesFreeNumbersBetweenExistingOnes) {
  const std::vector<FileEntry> files = {Entry("0000Holiday.x"),
                                        Entry("0002Holiday.x"),
                                        Entry("0003Holiday.x"),
                                        Entry("a"),
                                        Entry("b"),
                                        Entry("c")};
  EXPECT_EQ(Lines(files, Options(true)),
            (PlanLines{"0000Holiday.x -> Not Renamed", "0002Holiday.x -> Not Renamed",
                       "0003Holiday.x -> Not Renamed", "a -> 0001Holiday.", "b -> 0004Holiday.",
                       "c -> 0005Holiday."}));
}

TEST(PlanTest, StopsAtTheIndexLimit) {
  bool limit = false;
  EXPECT_EQ(Lines({Entry("a"), Entry("b")}, Options(false, 9999), &limit),
            (PlanLines{"a -> 9999Holiday."}));
  EXPECT_TRUE(limit);
  EXPECT_EQ(Lines({Entry("9999Holiday.z"), Entry("a")}, Options(false), &limit),
            (PlanLines{"9999Holiday.z -> Not Renamed"}));
  EXPECT_TRUE(limit);
  Lines({Entry("9999Holiday.z")}, Options(false), &limit);
  EXPECT_FALSE(limit);  // nothing to number: no limit
  Lines({Entry("a")}, Options(false, 9999), &limit);
  EXPECT_FALSE(limit);  // exactly the last index is still free
}

TEST(PlanTest, GivesNoIndexTwiceAcrossAFullRange) {
  std::vector<FileEntry> files;
  for (int i = 0; i < 9999; ++i) files.push_back(Entry("f" + std::to_string(i)));
  bool limit = true;
  const RenamePlan plan = PlanRenames(files, Options(true, 1));
  EXPECT_FALSE(plan.indexLimitHit);
  ASSERT_EQ(plan.renames.size(), 9999u);
  for (std::size_t i = 0; i < plan.renames.size(); ++i) {
    ASSERT_EQ(plan.renames[i].index, static_cast<int>(i) + 1);
  }
  Lines(files, Options(true, 2), &limit);
  EXPECT_TRUE(limit);
}

}  // namespace
}  // namespace kalvenor
