// The orders in which a run hands out numbers: by name (stem, then
// extension), by date (time, then name), by type (extension, then stem) or
// by date taken (the capture time of capture_times.h, then name), upwards
// or as the exact mirror downwards. Text keys compare with
// CompareIgnoreCase, which folds only the ASCII capitals, so no order ever
// depends on the user's locale.
#pragma once

#include <string_view>
#include <vector>

#include "file_entry.h"

namespace kalvenor {

// The values of RenameOptions::sortType; every other value sorts by name.
inline constexpr int kSortByName = 0;
inline constexpr int kSortByDate = 1;
inline constexpr int kSortByType = 2;
inline constexpr int kSortByTaken = 3;

// Negative, zero or positive as `a` sorts before, equal to or after `b`:
// bytes 0x41..0x5A count as their lower-case letters, every byte compares
// as unsigned, and a proper prefix sorts first.
int CompareIgnoreCase(std::string_view a, std::string_view b);

// Sorts `entries` by the ordering `sortType` chooses (1 Date, 2 File Type,
// 3 Date Taken, anything else Alphanumeric), upwards, then reverses the
// list when `ascending` is false. Entries that tie under the ordering (names
// differing only in the case of ASCII letters can coexist here) are put in
// the order of their raw name bytes, so every run over the same folder
// agrees. Date Taken compares `taken`, which the caller has filled in.
void PresortEntries(std::vector<FileEntry>& entries, int sortType, bool ascending);

// Whether `x` comes before `y` in the upward order of PresortEntries.
bool PresortsBefore(const FileEntry& x, const FileEntry& y, int sortType);

}  // namespace kalvenor
