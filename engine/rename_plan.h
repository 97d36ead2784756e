// The plan of one run: which files already belong to the numbered series and
// keep their names, which index every other file gets, and the new names.
// Planning is pure: it reads the presorted scan list and the options and
// touches nothing else, so a preview and the commit that follows it plan
// alike for the same folder.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_entry.h"
#include "rename_options.h"

namespace kalvenor {

// Indices run from 0 to kIndexLimit - 1 and are always written with four
// digits; a base index is at most kMaxBaseIndex.
inline constexpr int kIndexLimit = 10000;
inline constexpr int kMaxBaseIndex = kIndexLimit - 1;

// The index of a file whose stem already has the series' form (four ASCII
// digits and, on the side `postfix` chooses, the base name with ASCII case
// ignored); nullopt for every other file.
std::optional<int> SeriesIndex(const FileEntry& entry, std::string_view baseName, bool postfix);

// "%04d%s.%s" (prefix) or "%s%04d.%s" (postfix) of index, base name, ext.
std::string NewFileName(int index, std::string_view baseName, std::string_view ext, bool postfix);

struct PlannedRename {
  const FileEntry* entry;  // points into the scan list the plan was made from
  int index;
  std::string newName;
};

struct RenamePlan {
  std::vector<const FileEntry*> inSeries;  // "Not Renamed", in presorted order
  std::vector<PlannedRename> renames;      // in presorted order
  bool indexLimitHit = false;              // files after `renames` found no free index
};

// Plans over the presorted `entries`, which must outlive the plan.
// `keptNames` are the names of the folder's other entries, which keep their
// names (subfolders, links to folders, files left alone): a kept name that
// has the series' form holds its index as a file of the series does, so
// that no file is given a name the folder already holds; kept names are
// not listed.
RenamePlan PlanRenames(const std::vector<FileEntry>& entries, const RenameOptions& options,
                       const std::vector<std::string>& keptNames = {});

}  // namespace kalvenor
