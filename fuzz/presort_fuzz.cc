// The presort orders on entries made from the input: every order is a
// strict weak ordering with ties broken by the raw name, so the result is a
// permutation that does not depend on the order the folder listed, sorting
// again changes nothing, and downwards is the exact mirror of upwards.
// CompareIgnoreCase itself is checked on triples of the names.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "file_entry.h"
#include "file_name.h"
#include "fuzz_check.h"
#include "presort.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

std::vector<std::string> Names(const std::vector<kalvenor::FileEntry>& entries) {
  std::vector<std::string> names;
  for (const kalvenor::FileEntry& entry : entries) names.push_back(entry.name);
  return names;
}

}  // namespace

// NOLINTNEXTLINE(readability-identifier-naming): the name libFuzzer calls
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int sortType = data[0] % 5;  // 4: an unknown value, sorted by name
  std::vector<kalvenor::FileEntry> entries;
  std::set<std::string> seen;  // a folder lists each name once
  // Each entry: a length byte (low 4 bits), a time byte, then the name.
  for (std::size_t at = 1; at + 2 <= size && entries.size() < 64;) {
    const std::size_t length = std::min<std::size_t>(data[at] & 15, size - at - 2);
    const kalvenor::FileTime time = data[at + 1] % 4;  // few times: many ties
    std::string name(reinterpret_cast<const char*>(data) + at + 2, length);
    at += 2 + length;
    if (!seen.insert(name).second) continue;
    kalvenor::NameParts parts = kalvenor::SplitFileName(name);
    // The time taken: the same few values in another order.
    entries.push_back({name, parts.stem, parts.ext, time, {}, (time * 3 + data[at - 1]) % 4});
  }

  // CompareIgnoreCase: reflexive, antisymmetric, transitive.
  for (std::size_t i = 0; i + 2 < entries.size() && i < 24; ++i) {
    const std::string &a = entries[i].name, &b = entries[i + 1].name, &c = entries[i + 2].name;
    FUZZ_CHECK(kalvenor::CompareIgnoreCase(a, a) == 0);
    FUZZ_CHECK(Sign(kalvenor::CompareIgnoreCase(a, b)) == -Sign(kalvenor::CompareIgnoreCase(b, a)));
    const int ab = Sign(kalvenor::CompareIgnoreCase(a, b));
    const int bc = Sign(kalvenor::CompareIgnoreCase(b, c));
    if (ab == bc) FUZZ_CHECK(Sign(kalvenor::CompareIgnoreCase(a, c)) == ab);
  }

  std::vector<kalvenor::FileEntry> up = entries;
  kalvenor::PresortEntries(up, sortType, true);
  std::vector<std::string> sortedNames = Names(up), inputNames = Names(entries);
  std::sort(sortedNames.begin(), sortedNames.end());
  std::sort(inputNames.begin(), inputNames.end());
  FUZZ_CHECK(sortedNames == inputNames);

  std::vector<kalvenor::FileEntry> again = up;
  kalvenor::PresortEntries(again, sortType, true);
  FUZZ_CHECK(Names(again) == Names(up));

  std::vector<kalvenor::FileEntry> reversed(entries.rbegin(), entries.rend());
  kalvenor::PresortEntries(reversed, sortType, true);
  FUZZ_CHECK(Names(reversed) == Names(up));

  std::vector<kalvenor::FileEntry> down = entries;
  kalvenor::PresortEntries(down, sortType, false);
  std::vector<std::string> mirrored = Names(up);
  std::reverse(mirrored.begin(), mirrored.end());
  FUZZ_CHECK(Names(down) == mirrored);

  // Neighbours follow the order's first key.
  for (std::size_t i = 0; i + 1 < up.size(); ++i) {
    const kalvenor::FileEntry &a = up[i], &b = up[i + 1];
    if (sortType == kalvenor::kSortByDate) {
      FUZZ_CHECK(a.time <= b.time);
    } else if (sortType == kalvenor::kSortByTaken) {
      FUZZ_CHECK(a.taken <= b.taken);
    } else if (sortType == kalvenor::kSortByType) {
      FUZZ_CHECK(kalvenor::CompareIgnoreCase(a.ext, b.ext) <= 0);
    } else {
      FUZZ_CHECK(kalvenor::CompareIgnoreCase(a.stem, b.stem) <= 0);
    }
  }
  return 0;
}
