// The run of a rename job, preview or commit: scan, presort, plan, the
// Results lines and, in commit mode, the log and the renames, stopping at
// the first failure. The run takes its choices as one RenameOptions value
// and answers with a RunOutcome; it writes the Results list, shows failures
// through the MessageSink and records every rename that succeeded in the
// LastBatch. It owns nothing beyond its own return.
#pragma once

#include "last_batch.h"
#include "rename_options.h"
#include "run_context.h"
#include "run_outcome.h"

namespace kalvenor {

// Previews (commit false) or carries out (commit true) the plan for the
// folder as it is now. A commit first empties `lastBatch`, then opens the
// log when `options.logPath` is set: a required log that cannot be opened
// ends the run at once (LogNotOpened) with nothing renamed and the Results
// list untouched; any other log that cannot be opened is reported and the
// run goes on without it. The outcome's logPath is the absolute path of the
// log that was opened, so that the caller can show it. With
// `options.folderMustBeReadable`, a folder that cannot be listed ends the
// run first (FolderUnreadable, with the cause): nothing shown, nothing logged.
// Asked to stop (RenameContext::progress), a commit stops before its next
// file as a failed rename would, after the line "Stopped before <name>.",
// and a preview that has read its folder ends with an empty list (Stopped).
RunOutcome RenameFiles(bool commit, const RenameOptions& options, RenameContext& ctx,
                       LastBatch& lastBatch);

}  // namespace kalvenor
