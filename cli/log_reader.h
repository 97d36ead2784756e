// Reading the last batch back out of a rename log. A one-shot tool keeps no
// undo lists between runs, so the log is its record: the rename lines after
// the last batch header, provided no undo header follows them.
//
// The log holds every rename line before its rename was tried, so a batch's
// lines may include renames that never happened: the one that failed and
// stopped the batch (always its last line), or lines whose run was killed.
// Those are left out, judged by what is on disk now. A log this reader does
// not fully understand is refused as a whole: the tool never acts on half
// of a batch it cannot read.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "file_system.h"
#include "last_batch.h"

namespace kalvenor {

// Splits one rename line "<old> renamed to <new>" (unescaped, without its
// line end) into its two full paths. Both paths of a line lie in one folder,
// so the split is the one occurrence of " renamed to " where both sides are
// absolute and their folder parts (up to the last '/') are equal; names
// that themselves hold " renamed to " are thus read correctly. nullopt when
// no occurrence qualifies.
std::optional<std::pair<std::string, std::string>> SplitRenameLine(std::string_view line);

// Tells whether a path names an entry on disk now (symbolic links count as
// entries, dangling or not).
using PathExists = std::function<bool(const std::string& path)>;

// The test on a file system: lstat succeeds.
PathExists ExistsOn(FileSystem& fs);

struct LogReadResult {
  // Set when the log could not be understood: which line and why. The batch
  // is empty then.
  std::optional<std::string> error;
  // The renames of the last batch that took place, in log order.
  LastBatch batch;
};

// Takes the last batch out of the whole text of a log. A last line without
// its line end was cut off while being written, so its rename was never
// tried: it is ignored. Lines may end in "\r\n".
LogReadResult ReadLastBatch(std::string_view logText, const PathExists& exists);

}  // namespace kalvenor
