#include "log_reader.h"

#include <vector>

#include "log_format.h"

namespace kalvenor {

namespace {

std::string_view FolderPart(std::string_view path) { return path.substr(0, path.rfind('/') + 1); }

// The lines of the log, without their line ends; a cut-off last line is dropped.
std::vector<std::string_view> CompleteLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::optional<std::pair<std::string, std::string>> SplitRenameLine(std::string_view line) {
  for (std::size_t at = line.find(kRenamedTo); at != std::string_view::npos;
       at = line.find(kRenamedTo, at + 1)) {
    const std::string_view left = line.substr(0, at);
    const std::string_view right = line.substr(at + kRenamedTo.size());
    if (left.starts_with('/') && right.starts_with('/') && FolderPart(left) == FolderPart(right))
      return std::pair{std::string(left), std::string(right)};
  }
  return std::nullopt;
}

PathExists ExistsOn(FileSystem& fs) {
  return [&fs](const std::string& path) {
    PathStat stat;
    return fs.Stat(path, /*followLinks=*/false, &stat) == Cause::Ok;
  };
}

LogReadResult ReadLastBatch(std::string_view logText, const PathExists& exists) {
  LogReadResult result;
  const std::vector<std::string_view> lines = CompleteLines(logText);

  std::size_t header = lines.size();
  for (std::size_t i = lines.size(); i-- > 0;) {
    const LogHeader kind = ClassifyLogLine(lines[i]);
    if (kind == LogHeader::None) continue;
    if (kind == LogHeader::Undo) return result;  // the last batch is undone already
    header = i;
    break;
  }
  if (header == lines.size()) return result;  // no batch at all

  // Read every line first, so that a line we cannot read leaves the disk alone.
  std::vector<std::pair<std::string, std::string>> renames;
  for (std::size_t i = header + 1; i < lines.size(); ++i) {
    const std::string lineNumber = std::to_string(i + 1);
    auto split = SplitRenameLine(lines[i]);
    if (!split) {
      result.error = "line " + lineNumber + " is not a rename line";
      return result;
    }
    std::optional<std::string> oldPath = UnescapeLogPath(split->first);
    std::optional<std::string> newPath = UnescapeLogPath(split->second);
    if (!oldPath || !newPath) {
      result.error = "line " + lineNumber + " holds a broken escape";
      return result;
    }
    renames.emplace_back(std::move(*oldPath), std::move(*newPath));
  }

  for (std::size_t i = 0; i < renames.size(); ++i) {
    auto& [oldPath, newPath] = renames[i];
    const bool oldExists = exists(oldPath);
    // The last line may be the rename that failed and stopped the batch.
    if (i + 1 == renames.size() && oldExists) continue;
    // A rename that never happened: its file still has the old name.
    if (oldExists && !exists(newPath)) continue;
    result.batch.Add(std::move(oldPath), std::move(newPath));
  }
  return result;
}

}  // namespace kalvenor
