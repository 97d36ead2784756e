// The "Date Taken" keys of the files a run orders: each file's capture time
// (capture_time_reader.h) or, for a file without one, its write time, both
// as the computer's local time (capture_time.h). The files are read on a
// few threads of this step's own, so that a slow disk's reads overlap,
// while the caller's thread reports the progress and passes on a stop.
#pragma once

#include <cstddef>
#include <vector>

#include "exif_reader.h"
#include "file_entry.h"
#include "file_system.h"
#include "run_context.h"

namespace kalvenor {

// How many files are read at once.
inline constexpr std::size_t kCaptureReadThreads = 8;

struct TakenTimes {
  std::size_t withoutCaptureTime = 0;  // files ordered by their write time
  bool stopped = false;                // a stop was asked for before all were read
};

// Sets `taken` of every entry of `files` (files of the held `folder`, with
// their write times in `time`) and says how many had no capture time. A
// file that cannot be opened or read, or holds no capture time, gets its
// write time. Reports "done of files.size()" through `ctx` as files are
// read; when `ctx` asks to stop, the files not yet read get their write
// times and the result says so. `exif` must be safe on several threads.
TakenTimes ReadTakenTimes(const std::vector<FileEntry*>& files, const FolderHandle& folder,
                          const RenameContext& ctx, ExifReader& exif);

}  // namespace kalvenor
