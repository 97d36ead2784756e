#include "mount_table.h"

#include <algorithm>

namespace kalvenor {
namespace {

// The kernel writes space, tab, newline and backslash in mount points as a
// backslash and three octal digits.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  const auto octal = [&](std::size_t at) {
    return at < field.size() && field[at] >= '0' && field[at] <= '7';
  };
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
      out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                               (field[i + 3] - '0'));
      i += 3;
      continue;
    }
    out += field[i];
  }
  return out;
}

}  // namespace

std::vector<MountEntry> ParseMountTable(std::string_view text) {
  std::vector<MountEntry> entries;
  std::vector<std::string_view> fields;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    // id parent major:minor root mount-point options [optional...] - type source super
    fields.clear();
    for (std::size_t at = 0; at < line.size();) {
      const std::size_t space = std::min(line.find(' ', at), line.size());
      if (space > at) fields.push_back(line.substr(at, space - at));
      at = space + 1;
    }
    const auto dash = std::find(fields.begin(), fields.end(), "-");
    if (fields.size() < 5 || dash == fields.end() || dash + 1 == fields.end()) continue;
    entries.push_back({Unescape(fields[4]), std::string(*(dash + 1))});
  }
  return entries;
}

std::vector<MountEntry> ReadMountTable(FileSystem& fs) {
  return ParseMountTable(fs.ReadMountTable());
}

}  // namespace kalvenor
