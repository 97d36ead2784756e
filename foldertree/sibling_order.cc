#include "sibling_order.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <numeric>

#include "shell_folder.h"

namespace kalvenor {

namespace {

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

// True when `a` may stand before `b` in the order that ItemSortKey gives.
bool InOrder(const QCollator& collator, const SiblingSortName& a,
             const SiblingSortName& b) {
  if (a.rank != b.rank) return a.rank < b.rank;
  const int order = collator.compare(a.label, b.label);
  if (order != 0) return order < 0;
  return a.name <= b.name;
}

}  // namespace

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
                       static_cast<std::uint32_t>(key.size()),
                       static_cast<std::uint32_t>(at), siblings[at].rank});
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
    confirmed = InOrder(collator, siblings[order[at - 1]], siblings[order[at]]);
  }
  if (confirmed) return order;

  // The guess was wrong somewhere (punctuation, accents, a locale's own
  // letters): sort by collation keys, made once per child.
  std::vector<ItemSortKey> keys;
  keys.reserve(siblings.size());
  for (const SiblingSortName& sibling : siblings) {
    keys.push_back(ItemSortKey{sibling.rank, collator.sortKey(sibling.label),
                               std::string(sibling.name)});
  }
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return order;
}

}  // namespace kalvenor
