// The surroundings of one run (a preview, a commit or an undo): where its
// Results lines go, where its messages are shown, the file system it works
// on and, optionally, where it reports its progress and learns to stop and
// what decodes the EXIF of photos.
// None of them is owned; all outlive the run.
#pragma once

#include "exif_reader.h"
#include "file_system.h"
#include "message_sink.h"
#include "results_list.h"
#include "run_progress.h"

namespace kalvenor {

struct RenameContext {
  ResultsList& results;
  MessageSink& messages;
  FileSystem& fs;
  RunProgress* progress = nullptr;  // none: the run neither reports nor stops
  // Decodes the EXIF of photos for the "Date Taken" order; none: the
  // library's own (DefaultExifReader in exiv2_exif_reader.h).
  ExifReader* exif = nullptr;

  bool StopRequested() const { return progress != nullptr && progress->StopRequested(); }
  void BeginStage(RunStage stage) const {
    if (progress != nullptr) progress->BeginStage(stage);
  }
  void Advance(std::size_t done, std::size_t total) const {
    if (progress != nullptr) progress->Advance(done, total);
  }
};

}  // namespace kalvenor
