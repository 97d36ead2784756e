#include "presort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kalvenor {
namespace {

inline unsigned char Fold(unsigned char c) {
  return (c >= 0x41 && c <= 0x5A) ? static_cast<unsigned char>(c + 0x20) : c;
}

// Three-way forms of the orderings, so that the tie-break costs no second
// comparison.
int CompareByName(const FileEntry& x, const FileEntry& y) {
  const int c = CompareIgnoreCase(x.stem, y.stem);
  return c != 0 ? c : CompareIgnoreCase(x.ext, y.ext);
}

int CompareByDate(const FileEntry& x, const FileEntry& y) {
  if (x.time != y.time) return x.time < y.time ? -1 : 1;
  return CompareByName(x, y);
}

int CompareByTaken(const FileEntry& x, const FileEntry& y) {
  if (x.taken != y.taken) return x.taken < y.taken ? -1 : 1;
  return CompareByName(x, y);
}

int CompareByType(const FileEntry& x, const FileEntry& y) {
  const int c = CompareIgnoreCase(x.ext, y.ext);
  return c != 0 ? c : CompareIgnoreCase(x.stem, y.stem);
}

using Comparison = int (*)(const FileEntry&, const FileEntry&);

Comparison ComparisonOf(int sortType) {
  switch (sortType) {
    case kSortByDate: return CompareByDate;
    case kSortByType: return CompareByType;
    case kSortByTaken: return CompareByTaken;
    default: return CompareByName;
  }
}

template <typename Compare>
void SortWithTieBreak(std::vector<FileEntry>& entries, Compare compare) {
  // Sorting pointers keeps each swap to one word; the entries are moved
  // into their final places once at the end.
  std::vector<FileEntry*> order;
  order.reserve(entries.size());
  for (FileEntry& e : entries) order.push_back(&e);
  std::sort(order.begin(), order.end(), [&compare](const FileEntry* x, const FileEntry* y) {
    const int c = compare(*x, *y);
    return c != 0 ? c < 0 : x->name < y->name;
  });
  std::vector<FileEntry> sorted;
  sorted.reserve(entries.size());
  for (FileEntry* e : order) sorted.push_back(std::move(*e));
  entries = std::move(sorted);
}

}  // namespace

int CompareIgnoreCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t i = 0;
  // Names in one folder often share long prefixes: skip identical bytes
  // eight at a time before folding any.
  for (; i + 8 <= n; i += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y) break;
  }
  for (; i < n; ++i) {
    if (a[i] == b[i]) continue;  // the common case, without folding
    const unsigned char x = Fold(static_cast<unsigned char>(a[i]));
    const unsigned char y = Fold(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  // The end of a text counts as the byte 0, so a proper prefix sorts first.
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

void PresortEntries(std::vector<FileEntry>& entries, int sortType, bool ascending) {
  switch (sortType) {
    case kSortByDate: SortWithTieBreak(entries, CompareByDate); break;
    case kSortByType: SortWithTieBreak(entries, CompareByType); break;
    case kSortByTaken: SortWithTieBreak(entries, CompareByTaken); break;
    default: SortWithTieBreak(entries, CompareByName); break;
  }
  if (!ascending) std::reverse(entries.begin(), entries.end());
}

bool PresortsBefore(const FileEntry& x, const FileEntry& y, int sortType) {
  const int c = ComparisonOf(sortType)(x, y);
  return c != 0 ? c < 0 : x.name < y.name;
}

}  // namespace kalvenor
