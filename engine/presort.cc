#include "presort.h"

#include <algorithm>

namespace kalvenor {
namespace {

inline unsigned char Fold(unsigned char c) {
  return (c >= 0x41 && c <= 0x5A) ? static_cast<unsigned char>(c + 0x20) : c;
}

template <typename Less>
void SortWithTieBreak(std::vector<FileEntry>& entries, Less less) {
  // Sorting pointers keeps each swap to one word; the entries are moved
  // into their final places once at the end.
  std::vector<FileEntry*> order;
  order.reserve(entries.size());
  for (FileEntry& e : entries) order.push_back(&e);
  std::sort(order.begin(), order.end(), [&less](const FileEntry* x, const FileEntry* y) {
    if (less(*x, *y)) return true;
    if (less(*y, *x)) return false;
    return x->name < y->name;
  });
  std::vector<FileEntry> sorted;
  sorted.reserve(entries.size());
  for (FileEntry* e : order) sorted.push_back(std::move(*e));
  entries = std::move(sorted);
}

}  // namespace

int CompareIgnoreCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = Fold(static_cast<unsigned char>(a[i]));
    const unsigned char y = Fold(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  // The end of a text counts as the byte 0, so a proper prefix sorts first.
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool LessByName(const FileEntry& x, const FileEntry& y) {
  const int c = CompareIgnoreCase(x.stem, y.stem);
  if (c != 0) return c < 0;
  return CompareIgnoreCase(x.ext, y.ext) < 0;
}

bool LessByDate(const FileEntry& x, const FileEntry& y) {
  if (x.time != y.time) return x.time < y.time;
  return LessByName(x, y);
}

bool LessByType(const FileEntry& x, const FileEntry& y) {
  const int c = CompareIgnoreCase(x.ext, y.ext);
  if (c != 0) return c < 0;
  return CompareIgnoreCase(x.stem, y.stem) < 0;
}

void PresortEntries(std::vector<FileEntry>& entries, int sortType, bool ascending) {
  switch (sortType) {
    case 1: SortWithTieBreak(entries, LessByDate); break;
    case 2: SortWithTieBreak(entries, LessByType); break;
    default: SortWithTieBreak(entries, LessByName); break;
  }
  if (!ascending) std::reverse(entries.begin(), entries.end());
}

}  // namespace kalvenor
