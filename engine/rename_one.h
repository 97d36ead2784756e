// The rename of one file inside a held folder, and its report: a failure is
// shown at once as "Rename error: <cause>" with the stop icon.
#pragma once

#include <string>

#include "cause.h"
#include "file_system.h"
#include "run_context.h"

namespace kalvenor {

// Renames `from` to `to` inside `folder` without ever replacing an existing
// entry. A name that is not one plain file name (empty, "." or "..",
// holding a '/' or a NUL, longer than NAME_MAX) fails with BadPath before
// anything is touched; the open log (`isOpenLog`) stays where it is and
// fails with SharingViolation. Gives Cause::Ok on success; otherwise the
// failure has been shown.
Cause RenameOneFile(RenameContext& ctx, const FolderHandle& folder, const std::string& from,
                    const std::string& to, bool isOpenLog);

}  // namespace kalvenor
