// A failure as a run keeps it: what the system said (errno, as a
// std::error_code of the generic category) and the path the failed call
// was about. The window tells the user only its cause ("access denied.",
// CauseOf); the command line adds the system's own text ("Permission
// denied", the error's message()) and the path.
#pragma once

#include <string>
#include <system_error>
#include <utility>

#include "cause.h"

namespace kalvenor {

struct Failure {
  Failure() = default;
  explicit Failure(std::error_code what) : error(what) {}
  Failure(std::error_code what, std::string about, std::string renamedTo = {})
      : error(what), path(std::move(about)), newPath(std::move(renamedTo)) {}

  std::error_code error;  // empty: nothing failed
  std::string path;       // the file, folder or log the call was about; may be empty
  std::string newPath;    // a rename's: the path the file was to get; empty otherwise

  explicit operator bool() const { return static_cast<bool>(error); }
};

// The cause the user is told; Ok when nothing failed.
inline Cause CauseOf(const Failure& failure) { return CauseOf(failure.error); }

}  // namespace kalvenor
