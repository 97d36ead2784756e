// Undo of the last batch: renames every recorded file back, first renamed
// first, logs the undo when a log path is set, writes the Results lines and
// empties the record. The caller updates its buttons afterwards.
#pragma once

#include "last_batch.h"
#include "rename_run.h"

namespace kalvenor {

void UndoLastBatch(RenameContext& ctx, LastBatch& lastBatch);

}  // namespace kalvenor
