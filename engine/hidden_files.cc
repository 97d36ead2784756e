#include "hidden_files.h"

#include <algorithm>

#include "presort.h"

namespace kalvenor {
namespace {

// Named as Windows writes them; FAT and NTFS volumes may show them in any case.
constexpr std::string_view kHiddenByWindows[] = {"Thumbs.db", "ehthumbs.db", "ehthumbs_vista.db",
                                                 "desktop.ini"};
// The file that holds a folder's own icon on macOS: "Icon" and a carriage return.
constexpr std::string_view kMacFolderIcon = "Icon\r";

}  // namespace

bool IsHiddenFileName(std::string_view name) {
  if (name.starts_with('.') || name == kMacFolderIcon) return true;
  return std::any_of(
      std::begin(kHiddenByWindows), std::end(kHiddenByWindows),
      [name](std::string_view hidden) { return CompareIgnoreCase(name, hidden) == 0; });
}

void SetAsideHiddenFiles(std::vector<FileEntry>& entries, std::vector<std::string>& keptNames) {
  const auto firstHidden =
      std::stable_partition(entries.begin(), entries.end(),
                            [](const FileEntry& entry) { return !IsHiddenFileName(entry.name); });
  for (auto it = firstHidden; it != entries.end(); ++it) keptNames.push_back(std::move(it->name));
  entries.erase(firstHidden, entries.end());
}

}  // namespace kalvenor
