#include "rename_plan.h"

#include <algorithm>
#include <array>
#include <bitset>

#include "file_name.h"
#include "presort.h"

namespace kalvenor {
namespace {

constexpr std::size_t kDigits = 4;

void AppendIndex(std::string& out, int index) {
  char digits[kDigits];
  for (std::size_t i = kDigits; i-- > 0;) {
    digits[i] = static_cast<char>('0' + index % 10);
    index /= 10;
  }
  out.append(digits, kDigits);
}

}  // namespace

std::optional<int> SeriesIndex(const FileEntry& entry, std::string_view baseName, bool postfix) {
  return SeriesIndexOfStem(entry.stem, baseName, postfix);
}

std::optional<int> SeriesIndexOfStem(std::string_view stem, std::string_view baseName,
                                     bool postfix) {
  if (stem.size() <= kDigits) return std::nullopt;
  const std::string_view digits =
      postfix ? stem.substr(stem.size() - kDigits) : stem.substr(0, kDigits);
  const std::string_view rest =
      postfix ? stem.substr(0, stem.size() - kDigits) : stem.substr(kDigits);
  int index = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    index = index * 10 + (c - '0');
  }
  if (CompareIgnoreCase(rest, baseName) != 0) return std::nullopt;
  return index;
}

std::string NewFileName(int index, std::string_view baseName, std::string_view ext, bool postfix) {
  std::string name;
  name.reserve(baseName.size() + ext.size() + kDigits + 1);
  if (postfix) {
    name.append(baseName);
    AppendIndex(name, index);
  } else {
    AppendIndex(name, index);
    name.append(baseName);
  }
  name.push_back('.');
  name.append(ext);
  return name;
}

namespace {

// The indices a plan never hands out before it starts: those below the base
// index, and those of the names that stay as they are (subfolders, links to
// folders, files left alone) when they have the series' form. A kept name
// raises `highest` as a file of the series does. With `anyDot`, every stem
// up to any '.' of a kept name holds its index too, since a set's new names
// may carry extensions with dots ("0009Holiday.CR2.xmp").
std::bitset<kIndexLimit> TakenBeforePlanning(const RenameOptions& options,
                                             const std::vector<std::string>& keptNames, bool anyDot,
                                             int& highest) {
  std::bitset<kIndexLimit> taken;
  const int baseIndex = options.baseIndex < 0 ? 0 : options.baseIndex;
  for (int i = 0; i < baseIndex && i < kIndexLimit; ++i) taken.set(static_cast<std::size_t>(i));
  for (const std::string& name : keptNames) {
    const NameParts parts = SplitFileName(name);
    if (std::optional<int> index =
            SeriesIndexOfStem(parts.stem, options.baseName, options.postfix)) {
      taken.set(static_cast<std::size_t>(*index));
      highest = std::max(highest, *index);
    }
    if (!anyDot) continue;
    for (std::size_t dot = name.find('.'); dot != std::string::npos;
         dot = name.find('.', dot + 1)) {
      if (std::optional<int> index = SeriesIndexOfStem(std::string_view(name).substr(0, dot),
                                                       options.baseName, options.postfix)) {
        taken.set(static_cast<std::size_t>(*index));
      }
    }
  }
  return taken;
}

}  // namespace

RenamePlan PlanRenames(const std::vector<FileEntry>& entries, const RenameOptions& options,
                       const std::vector<std::string>& keptNames) {
  RenamePlan plan;
  int highest = 0;
  std::bitset<kIndexLimit> taken = TakenBeforePlanning(options, keptNames, false, highest);
  const auto hold = [&](int index) {
    taken.set(static_cast<std::size_t>(index));
    highest = std::max(highest, index);
  };

  std::vector<const FileEntry*> toNumber;
  toNumber.reserve(entries.size());
  for (const FileEntry& entry : entries) {
    if (std::optional<int> index = SeriesIndex(entry, options.baseName, options.postfix)) {
      plan.inSeries.push_back(&entry);
      hold(*index);
    } else {
      toNumber.push_back(&entry);
    }
  }

  int next = options.fillGaps ? 0 : highest + 1;
  plan.renames.reserve(toNumber.size());
  for (const FileEntry* entry : toNumber) {
    while (next < kIndexLimit && taken.test(static_cast<std::size_t>(next))) ++next;
    if (next >= kIndexLimit) {
      plan.indexLimitHit = true;
      break;
    }
    plan.renames.push_back(
        {entry, next, NewFileName(next, options.baseName, entry->ext, options.postfix)});
    ++next;
  }
  return plan;
}

RenamePlan PlanSetRenames(const std::vector<PhotoSet>& sets, const RenameOptions& options,
                          const std::vector<std::string>& keptNames) {
  RenamePlan plan;
  int highest = 0;
  std::bitset<kIndexLimit> taken = TakenBeforePlanning(options, keptNames, true, highest);
  const auto hold = [&taken](int index) { taken.set(static_cast<std::size_t>(index)); };

  std::vector<const PhotoSet*> toNumber;
  toNumber.reserve(sets.size());
  for (const PhotoSet& set : sets) {
    bool whole = true;
    for (const SetMember& member : set.members) {
      if (std::optional<int> index =
              SeriesIndexOfStem(member.seriesStem, options.baseName, options.postfix)) {
        hold(*index);
        highest = std::max(highest, *index);
      } else {
        whole = false;
      }
      // New names are a stem of the series' form, a '.' and an extension
      // that may hold dots itself: whatever such a name could meet is held.
      const std::string_view name = member.entry->name;
      for (std::size_t dot = name.find('.'); dot != std::string_view::npos;
           dot = name.find('.', dot + 1)) {
        if (std::optional<int> index =
                SeriesIndexOfStem(name.substr(0, dot), options.baseName, options.postfix)) {
          hold(*index);
        }
      }
    }
    if (whole) {
      for (const SetMember& member : set.members) plan.inSeries.push_back(member.entry);
    } else {
      toNumber.push_back(&set);
    }
  }

  int next = options.fillGaps ? 0 : highest + 1;
  for (const PhotoSet* set : toNumber) {
    while (next < kIndexLimit && taken.test(static_cast<std::size_t>(next))) ++next;
    if (next >= kIndexLimit) {
      plan.indexLimitHit = true;
      break;
    }
    for (const SetMember& member : set->members) {
      plan.renames.push_back(
          {member.entry, next, NewFileName(next, options.baseName, member.ext, options.postfix)});
    }
    ++next;
  }
  return plan;
}

}  // namespace kalvenor
