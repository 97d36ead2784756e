// The rename of one file inside a held folder, and its report: a failure is
// shown at once as "Rename error: <cause>" with the stop icon.
#pragma once

#include <string>

#include "failure.h"
#include "file_system.h"
#include "run_context.h"

namespace kalvenor {

// Renames `from` to `to` inside `folder` (at `folderPath`) without ever
// replacing an existing entry. A name that is not one plain file name
// (empty, "." or "..", holding a '/' or a NUL: EINVAL; longer than
// NAME_MAX: ENAMETOOLONG) fails with a bad path before anything is
// touched; the open log (`isOpenLog`) stays where it is and fails with
// EBUSY, a sharing violation. Gives no failure on success; otherwise the
// failure, with the file's full path and the one it was to get, which has
// been shown.
Failure RenameOneFile(RenameContext& ctx, const FolderHandle& folder, const std::string& folderPath,
                      const std::string& from, const std::string& to, bool isOpenLog);

// Shows `failure`, a rename that failed or was refused before it was
// tried, as "Rename error: <cause>" with the stop icon.
void ShowRenameError(MessageSink& messages, const Failure& failure);

}  // namespace kalvenor
