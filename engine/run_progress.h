// How a run (a preview, a commit or an undo) tells how far it has come,
// and in which stage, and learns that it is to stop. The window implements
// it for a run on a worker thread, so every call must be safe from any
// thread; the engine knows no threads. A run checks StopRequested only between two files, so a file
// is never left half renamed or unlogged by a stop.
#pragma once

#include <cstddef>

namespace kalvenor {

// What a run is busy with, so that its progress can say so.
enum class RunStage {
  Files,         // the run's own work: reading the folder, planning, renaming
  CaptureTimes,  // reading the capture times of photos for "Date Taken"
};

class RunProgress {
 public:
  virtual ~RunProgress() = default;
  // The run begins `stage`; the counts of Advance start again from it. A
  // run begins in Files and says only where the stage changes.
  virtual void BeginStage(RunStage /*stage*/) {}
  // `done` of `total` files (of the stage) have been handled.
  virtual void Advance(std::size_t done, std::size_t total) = 0;
  // True once the run is to stop before its next file.
  virtual bool StopRequested() const = 0;
};

}  // namespace kalvenor
