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
#include "photo_sets.h"
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
// The same test on a stem alone.
std::optional<int> SeriesIndexOfStem(std::string_view stem, std::string_view baseName,
                                     bool postfix);

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

// Plans over the presorted photo sets, one index per set: a set is in the
// series (every member "Not Renamed") only when each of its members is;
// otherwise every member gets the set's new index with its own extension.
// A member in the series holds its index even when its set is numbered
// anew, and so does any file whose name starts with a stem of the
// series' form and a '.' ("0009Holiday.CR2.xmp" holds 9), so that no new
// name can meet an existing file. The sets' entries must outlive the plan.
// Kept names hold their indices as for PlanRenames, and so does every
// stem of the series' form up to any '.' of a kept name.
RenamePlan PlanSetRenames(const std::vector<PhotoSet>& sets, const RenameOptions& options,
                          const std::vector<std::string>& keptNames = {});

}  // namespace kalvenor
