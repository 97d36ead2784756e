#include "sibling_order.h"

#include <QCollatorSortKey>
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>

#include "namespace_item.h"

namespace kalvenor {

namespace {

// The one order of siblings, given how the collator orders their labels:
// `labelOrder()` is negative, zero or positive, and is asked only when the
// ranks are equal.
template <typename LabelOrder>
int Compare(int rankA, std::string_view nameA, int rankB, std::string_view nameB,
            LabelOrder labelOrder) {
  if (rankA != rankB) return rankA < rankB ? -1 : 1;
  if (const int order = labelOrder(); order != 0) return order < 0 ? -1 : 1;
  const int bytes = nameA.compare(nameB);
  return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

char16_t FoldAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// A cheap guess at the collator's order, as bytes that compare like the
// labels should: ASCII letters without case, runs of digits by value
// (leading zeros dropped, the run's length first), other code units as
// they are. It need not be right; the caller checks the result.
void AppendGuessKey(const QString& label, std::string& key) {
  const char16_t* p = reinterpret_cast<const char16_t*>(label.utf16());
  const char16_t* const end = p + label.size();
  while (p != end) {
    if (IsDigit(*p)) {
      while (p != end && *p == u'0') ++p;
      const char16_t* run = p;
      while (run != end && IsDigit(*run)) ++run;
      key += '0';
      key += static_cast<char>(std::min<std::ptrdiff_t>(run - p, 127));
      for (; p != run; ++p) key += static_cast<char>(*p);
      continue;
    }
    const char16_t c = FoldAscii(*p++);
    if (c < 0x80) {
      key += static_cast<char>(c);
    } else {
      key += '\x7f';
      key += static_cast<char>(c >> 8);
      key += static_cast<char>(c & 0xff);
    }
  }
}

// The first eight bytes of `key` as a number that orders like them.
std::uint64_t Head(std::string_view key) {
  std::uint64_t head = 0;
  for (std::size_t at = 0; at < 8; ++at) {
    head <<= 8;
    if (at < key.size()) head |= static_cast<unsigned char>(key[at]);
  }
  return head;
}

}  // namespace

int SortRankOf(const ItemIdList* item) {
  switch (KindOf(item)) {
    case ItemKind::Computer: return 0;
    case ItemKind::Home: return 1;
    case ItemKind::Network: return 2;
    case ItemKind::Volume: return NameOf(item) == "/" ? 3 : 4;
    default: return 4;
  }
}

int CompareSiblings(const QCollator& collator, const SiblingSortName& a, const SiblingSortName& b) {
  return Compare(a.rank, a.name, b.rank, b.name,
                 [&] { return collator.compare(a.label, b.label); });
}

std::vector<std::size_t> SiblingOrder(const QCollator& collator,
                                      const std::vector<SiblingSortName>& siblings) {
  std::vector<std::size_t> order(siblings.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  if (siblings.size() < 2) return order;

  // Sort by the guess, then let the collator confirm each neighbouring pair:
  // as the collator's order is a total preorder, neighbours in order mean
  // the whole list is. One comparison per child costs less than a key.
  // The guesses sit in one buffer; the sorted entries are small and mostly
  // compare by their first eight bytes.
  struct Guess {
    std::uint64_t head;
    std::uint32_t offset;
    std::uint32_t length;
    std::uint32_t index;
    int rank;
  };
  std::string buffer;
  std::vector<Guess> guesses;
  guesses.reserve(siblings.size());
  for (std::size_t at = 0; at < siblings.size(); ++at) {
    const std::size_t offset = buffer.size();
    AppendGuessKey(siblings[at].label, buffer);
    const std::string_view key = std::string_view(buffer).substr(offset);
    guesses.push_back({Head(key), static_cast<std::uint32_t>(offset),
                       static_cast<std::uint32_t>(key.size()), static_cast<std::uint32_t>(at),
                       siblings[at].rank});
  }
  const std::string_view guessKeys = buffer;
  std::sort(guesses.begin(), guesses.end(), [&](const Guess& a, const Guess& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.head != b.head) return a.head < b.head;
    const int guess =
        guessKeys.substr(a.offset, a.length).compare(guessKeys.substr(b.offset, b.length));
    if (guess != 0) return guess < 0;
    return siblings[a.index].name < siblings[b.index].name;
  });
  for (std::size_t at = 0; at < guesses.size(); ++at) order[at] = guesses[at].index;
  bool confirmed = true;
  for (std::size_t at = 1; at < order.size() && confirmed; ++at) {
    confirmed = CompareSiblings(collator, siblings[order[at - 1]], siblings[order[at]]) <= 0;
  }
  if (confirmed) return order;

  // The guess was wrong somewhere (punctuation, accents, a locale's own
  // letters): sort by collation keys, made once per child.
  std::vector<QCollatorSortKey> keys;
  keys.reserve(siblings.size());
  for (const SiblingSortName& sibling : siblings) keys.push_back(collator.sortKey(sibling.label));
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return Compare(siblings[a].rank, siblings[a].name, siblings[b].rank, siblings[b].name,
                   [&] { return keys[a].compare(keys[b]); }) < 0;
  });
  return order;
}

}  // namespace kalvenor
