// The surroundings of one run (a preview, a commit or an undo): where its
// Results lines go, where its messages are shown, and the file system it
// works on. None of them is owned; all outlive the run.
#pragma once

#include "file_system.h"
#include "message_sink.h"
#include "results_list.h"

namespace kalvenor {

struct RenameContext {
  ResultsList& results;
  MessageSink& messages;
  FileSystem& fs;
};

}  // namespace kalvenor
