// The run of a rename job, preview or commit, and the rename of one file.
// A run reads its choices through OptionValues and the LogPathBox, writes
// the Results list, shows failures through the MessageSink and, in commit
// mode, renames through the FileSystem and records every success in the
// LastBatch. It owns nothing beyond its own return.
#pragma once

#include <string>

#include "cause.h"
#include "file_name.h"
#include "file_system.h"
#include "last_batch.h"
#include "log_path_box.h"
#include "message_sink.h"
#include "option_values.h"
#include "results_list.h"

namespace kalvenor {

// The surroundings of one run; none of them is owned.
struct RenameContext {
  ResultsList& results;
  MessageSink& messages;
  LogPathBox& logBox;
  FileSystem& fs;
};

// Preview (commit false) or carry out (commit true) the plan for the folder
// as it is now. Gives false only when the index limit stopped the run
// ("Index exceeds limit."); true otherwise, also after "File count exceeds
// 9999." and after a failed rename.
bool RenameFiles(bool commit, const OptionValues& options, RenameContext& ctx,
                 LastBatch& lastBatch);

// Renames oldPath to newPath without ever replacing an existing entry. On
// failure shows "Rename error: <cause>" with the stop icon and gives false.
// Both paths must name entries of one folder; a name that is not one plain
// file name (empty, "." or "..", holding a NUL, longer than NAME_MAX) fails
// with "bad path." before anything is touched.
bool RenameOneFile(const std::string& oldPath, const std::string& newPath,
                   RenameContext& ctx);

// The rename inside a folder that the caller holds open: checks that both
// names are plain file names (else BadPath), then renames without replacing.
Cause RenameInFolder(FileSystem& fs, int folder, const std::string& from, const std::string& to);

// Shows "Rename error: <cause's text>" with the stop icon.
void ReportRenameError(MessageSink& messages, Cause cause);

// The folder a full path lies in, as a path that can be opened: "/" for a
// file at the top, "." for a bare name.
std::string FolderOfPath(const std::string& path);
// The same for a path already split by SplitPath into `parts`.
std::string FolderToOpen(const std::string& path, const PathParts& parts);

}  // namespace kalvenor
