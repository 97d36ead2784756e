#include "sibling_order.h"

#include <gtest/gtest.h>

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "shell_folder.h"

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
    siblings.push_back({4, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                        name});
  }
  siblings.push_back({2, QStringLiteral("Network"), std::string_view()});
  siblings.push_back({0, QStringLiteral("Computer"), std::string_view()});
  siblings.push_back({3, QStringLiteral("Root"), "/"});
  return siblings;
}

// The names in the order that sorting by collation keys gives.
std::vector<std::string_view> KeyOrder(const QCollator& collator,
                                       const std::vector<SiblingSortName>& siblings) {
  std::vector<ItemSortKey> keys;
  for (const SiblingSortName& s : siblings) {
    keys.push_back({s.rank, collator.sortKey(s.label), std::string(s.name)});
  }
  std::vector<std::size_t> order(siblings.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  std::vector<std::string_view> names;
  for (std::size_t at : order) names.push_back(siblings[at].name);
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
  const std::vector<std::string_view> expected = {
      "", "", "/", "2", "10", "a99", "a100", "alpha", "B", "b", "D2", "d02", "d10", "Zeta"};
  EXPECT_EQ(Ordered(collator, siblings), expected);
  EXPECT_EQ(Ordered(collator, siblings), KeyOrder(collator, siblings));
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
  const std::vector<QLocale> locales = {
      QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Czech),
      QLocale(QLocale::Danish), QLocale(QLocale::German), QLocale(QLocale::Swedish)};
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
    names.push_back((i % 3 == 0 ? "D" : "d") + std::to_string(i % 997) +
                    (i % 5 == 0 ? "x" : "") + std::string(static_cast<std::size_t>(i % 4), '0') +
                    std::to_string(i));
  }
  std::shuffle(names.begin(), names.end(), std::mt19937(7));
  const std::vector<SiblingSortName> siblings = Siblings(names);
  EXPECT_EQ(Ordered(collator, siblings), KeyOrder(collator, siblings));
}

}  // namespace
}  // namespace kalvenor
