// A run of the renaming engine as the window hands it to its worker, and
// what comes back: plain values, so that nothing of the form is shared with
// the worker while it runs.
#pragma once

#include "last_batch.h"
#include "rename_options.h"
#include "run_outcome.h"

enum class RunKind {
  Preview,      // Start: RenameFiles without renaming
  Commit,       // Continue: RenameFiles, renaming
  UndoLast,     // Undo Last: the form's last batch back, logged if a log is given
  UndoFromLog,  // File > Undo from Log File...: a batch read from a log back, logged there
};

struct RunRequest {
  RunKind kind = RunKind::Preview;
  // Preview and Commit: every choice. The undos: logPath (empty: no log)
  // and logRequired only.
  kalvenor::RenameOptions options;
  // The record the run starts from: the form's last batch, or for
  // UndoFromLog the batch read from the log.
  kalvenor::LastBatch batch;
};

struct RunResult {
  RunKind kind = RunKind::Preview;
  kalvenor::RunOutcome outcome;
  // The record as the run left it: what a commit renamed, what an undo did
  // not reach.
  kalvenor::LastBatch batch;
};
