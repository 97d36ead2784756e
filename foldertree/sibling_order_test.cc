#include "sibling_order.h"

#include <gtest/gtest.h>

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "id_list.h"
#include "namespace_item.h"

namespace kalvenor {
namespace {

QCollator NaturalCollator(const QLocale& locale) {
  QCollator collator(locale);
  collator.setNumericMode(true);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

// Siblings of rank 4 named `names` (labels decoded as the tree does), with a
// few special places mixed in.
std::vector<SiblingSortName> Siblings(const std::vector<std::string>& names) {
  std::vector<SiblingSortName> siblings;
  for (const std::string& name : names) {
    siblings.push_back(
        {4, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), name});
  }
  siblings.push_back({2, QStringLiteral("Network"), std::string_view()});
  siblings.push_back({0, QStringLiteral("Computer"), std::string_view()});
  siblings.push_back({3, QStringLiteral("Root"), "/"});
  return siblings;
}

// The names in the order that sorting by rank, collation keys and name
// bytes gives.
std::vector<std::string_view> KeyOrder(const QCollator& collator,
                                       const std::vector<SiblingSortName>& siblings) {
  std::vector<QCollatorSortKey> keys;
  for (const SiblingSortName& s : siblings) keys.push_back(collator.sortKey(s.label));
  std::vector<std::size_t> order(siblings.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (siblings[a].rank != siblings[b].rank) return siblings[a].rank < siblings[b].rank;
    const int label = keys[a].compare(keys[b]);
    if (label != 0) return label < 0;
    return siblings[a].name < siblings[b].name;
  });
  std::vector<std::string_view> names;
  for (std::size_t at : order) names.push_back(siblings[at].name);
  return names;
}

// The names in the order that sorting by CompareSiblings gives.
std::vector<std::string_view> ComparedOrder(const QCollator& collator,
                                            std::vector<SiblingSortName> siblings) {
  std::sort(siblings.begin(), siblings.end(),
            [&](const SiblingSortName& a, const SiblingSortName& b) {
              return CompareSiblings(collator, a, b) < 0;
            });
  std::vector<std::string_view> names;
  for (const SiblingSortName& s : siblings) names.push_back(s.name);
  return names;
}

std::vector<std::string_view> Ordered(const QCollator& collator,
                                      const std::vector<SiblingSortName>& siblings) {
  std::vector<std::string_view> names;
  for (std::size_t at : SiblingOrder(collator, siblings)) {
    names.push_back(siblings[at].name);
  }
  return names;
}

TEST(SiblingOrderTest, PlainNamesSortCaselessAndDigitsByValue) {
  const QCollator collator = NaturalCollator(QLocale(QLocale::English, QLocale::UnitedStates));
  const std::vector<SiblingSortName> siblings =
      Siblings({"d10", "D2", "d02", "b", "B", "a100", "a99", "Zeta", "alpha", "2", "10"});
  const std::vector<std::string_view> expected = {"",      "",  "/", "2",  "10",  "a99", "a100",
                                                  "alpha", "B", "b", "D2", "d02", "d10", "Zeta"};
  EXPECT_EQ(Ordered(collator, siblings), expected);
  EXPECT_EQ(Ordered(collator, siblings), KeyOrder(collator, siblings));
  EXPECT_EQ(ComparedOrder(collator, siblings), expected);
}

TEST(SiblingOrderTest, CompareSiblingsIsSignedAndSymmetric) {
  const QCollator collator = NaturalCollator(QLocale(QLocale::English, QLocale::UnitedStates));
  const struct {
    SiblingSortName a, b;
    int order;
  } cases[] = {
      {{0, QStringLiteral("Computer"), ""}, {1, QStringLiteral("Home"), ""}, -1},
      {{3, QStringLiteral("File System (/)"), "/"},
       {4, QStringLiteral("aardvark"), "aardvark"},
       -1},
      {{4, QStringLiteral("Shot2"), "Shot2"}, {4, QStringLiteral("shot10"), "shot10"}, -1},
      {{4, QStringLiteral("apple"), "apple"}, {4, QStringLiteral("Banana"), "Banana"}, -1},
      {{4, QStringLiteral("Photos"), "Photos"}, {4, QStringLiteral("photos"), "photos"}, -1},
      {{4, QStringLiteral("same"), "same"}, {4, QStringLiteral("same"), "same"}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareSiblings(collator, c.a, c.b), c.order) << c.a.name << " " << c.b.name;
    EXPECT_EQ(CompareSiblings(collator, c.b, c.a), -c.order) << c.a.name << " " << c.b.name;
  }
}

TEST(SiblingOrderTest, RanksPutTheSpecialPlacesFirst) {
  IdListAllocator allocator;
  const struct {
    ItemKind kind;
    const char* name;
    int rank;
  } cases[] = {{ItemKind::Computer, "", 0},       {ItemKind::Home, "", 1},
               {ItemKind::Network, "", 2},        {ItemKind::Volume, "/", 3},
               {ItemKind::Volume, "/mnt/usb", 4}, {ItemKind::Share, "/mnt/nfs", 4},
               {ItemKind::Folder, "Computer", 4}};
  for (const auto& c : cases) {
    const IdListPtr item = MakeItemId(allocator, c.kind, 0, c.name);
    EXPECT_EQ(SortRankOf(item.get()), c.rank) << static_cast<int>(c.kind) << " " << c.name;
  }
}

// Whatever the names and the locale, the order is the one collation keys
// give: names a plain comparison misplaces fall back to the keys.
TEST(SiblingOrderTest, AgreesWithCollationKeysForAnyNames) {
  const std::vector<std::vector<std::string>> lists = {
      {"a-b", "ab", "a_b", "a b", "a.b", "_x", "~y", "-z", "#1", "a"},
      {"\xC3\xA9t\xC3\xA9", "ete", "Ete", "eta", "\xC3\x84pfel", "Apfel", "zebra", "\xC3\x9F"},
      {"chata", "hrad", "ivo", "Cesta", "cizi", "aa", "ab", "zz", "\xC3\xA5"},
      {"1.10", "1.9", "v1-2", "v1_10", "x 2", "x10", "007", "7", "0", "00"},
  };
  const std::vector<QLocale> locales = {QLocale(QLocale::English, QLocale::UnitedStates),
                                        QLocale(QLocale::Czech), QLocale(QLocale::Danish),
                                        QLocale(QLocale::German), QLocale(QLocale::Swedish)};
  for (const QLocale& locale : locales) {
    const QCollator collator = NaturalCollator(locale);
    for (const std::vector<std::string>& names : lists) {
      const std::vector<SiblingSortName> siblings = Siblings(names);
      EXPECT_EQ(Ordered(collator, siblings), KeyOrder(collator, siblings))
          << locale.name().toStdString() << " " << names.front();
    }
  }
}

TEST(SiblingOrderTest, AgreesWithCollationKeysForManyShuffledNames) {
  const QCollator collator = NaturalCollator(QLocale(QLocale::English, QLocale::UnitedStates));
  std::vector<std::string> names;
  for (int i = 0; i < 2000; ++i) {
    names.push_back((i % 3 == 0 ? "D" : "d") + std::to_string(i % 997) + (i % 5 == 0 ? "x" : "") +
                    std::string(static_cast<std::size_t>(i % 4), '0') + std::to_string(i));
  }
  std::shuffle(names.begin(), names.end(), std::mt19937(7));
  const std::vector<SiblingSortName> siblings = Siblings(names);
  EXPECT_EQ(Ordered(collator, siblings), KeyOrder(collator, siblings));
}

}  // namespace
}  // namespace kalvenor
