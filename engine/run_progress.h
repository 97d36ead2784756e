// How a run (a preview, a commit or an undo) tells how far it has come and
// learns that it is to stop. The window implements it for a run on a worker
// thread, so every call must be safe from any thread; the engine knows no
// threads. A run checks StopRequested only between two files, so a file is
// never left half renamed or unlogged by a stop.
#pragma once

#include <cstddef>

namespace kalvenor {

class RunProgress {
 public:
  virtual ~RunProgress() = default;
  // `done` of `total` files have been handled.
  virtual void Advance(std::size_t done, std::size_t total) = 0;
  // True once the run is to stop before its next file.
  virtual bool StopRequested() const = 0;
};

}  // namespace kalvenor
