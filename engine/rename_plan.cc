#include "rename_plan.h"

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
  const std::string_view stem = entry.stem;
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

RenamePlan PlanRenames(const std::vector<FileEntry>& entries, const RenameOptions& options,
                       const std::vector<std::string>& keptNames) {
  RenamePlan plan;
  std::bitset<kIndexLimit> taken;
  const int baseIndex = options.baseIndex < 0 ? 0 : options.baseIndex;
  for (int i = 0; i < baseIndex && i < kIndexLimit; ++i) taken.set(static_cast<std::size_t>(i));

  int highest = 0;
  const auto hold = [&](int index) {
    taken.set(static_cast<std::size_t>(index));
    if (index > highest) highest = index;
  };
  for (const std::string& name : keptNames) {
    NameParts parts = SplitFileName(name);
    const FileEntry kept{name, std::move(parts.stem), std::move(parts.ext), 0, {}};
    if (std::optional<int> index = SeriesIndex(kept, options.baseName, options.postfix)) {
      hold(*index);
    }
  }

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

}  // namespace kalvenor
