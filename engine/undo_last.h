// Undo of the last batch: renames every recorded file back, first renamed
// first, logs the undo when a log path is given, writes the Results lines
// and empties the record. A failed rename is shown and the undo goes on
// with the next file. Asked to stop (RenameContext::progress), it stops
// before its next file with "Stopped before <name>." and keeps in the
// record the files it did not reach. The caller updates its buttons
// afterwards.
#pragma once

#include <string>

#include "last_batch.h"
#include "run_context.h"
#include "run_outcome.h"

namespace kalvenor {

// `logPath` empty: no log. A `logRequired` log that cannot be opened ends
// the undo at once (LogNotOpened) with nothing renamed, the Results list
// untouched and the record kept. Otherwise the outcome is RenameFailed
// (naming the first file that could not be renamed back) when any rename
// failed, else Stopped when it was asked to stop, else LogWriteFailed when
// a log line could not be written, else Done.
//
// `fromLog`: the batch was read back from a log, which anyone may have
// written into; only what a batch can have renamed is renamed back. An
// entry whose new name is a folder is refused (access denied) like a
// failed rename; an entry whose old and new names are both the same file
// (a rename cut off between its link and its unlink) loses its new name.
//
// The leftover reservations the batch names (LastBatch::Leftovers) are
// removed first.
RunOutcome UndoLastBatch(const std::string& logPath, bool logRequired, RenameContext& ctx,
                         LastBatch& lastBatch, bool fromLog = false);

// Removes the reservations a crash left at `paths` (full paths, as the
// log's reader found them): empty files; anything else found there stays.
void RemoveLeftovers(FileSystem& fs, const std::vector<std::string>& paths);

}  // namespace kalvenor
