// Why a call failed, in the user's words: a small value derived from what
// the system said (errno) and turned into text in one place (CauseText).
#pragma once

#include <system_error>

namespace kalvenor {

enum class Cause {
  Ok,         // no failure
  NoneGiven,  // a failure that came without an error code
  FileNotFound,
  BadPath,
  TooManyOpenFiles,
  AccessDenied,
  HardwareError,
  SharingViolation,
  Unspecified,
};
// How many there are: Cause values run from 0 to kCauseCount - 1.
inline constexpr int kCauseCount = static_cast<int>(Cause::Unspecified) + 1;

// The cause of a failure that set errno to `error`; 0 gives NoneGiven.
Cause CauseFromErrno(int error);

// The cause of what a call gave: Ok when `error` is empty, else the cause
// of its errno.
Cause CauseOf(const std::error_code& error);

// The text that follows "Rename error: ", e.g. "access denied.". Ok has
// no text of its own and reads like NoneGiven.
const char* CauseText(Cause cause);

// What the system said as a call's result: errno `error`, or for 0 (nothing
// failed) the empty error.
inline std::error_code ErrorFromErrno(int error) {
  return error == 0 ? std::error_code() : std::error_code(error, std::generic_category());
}

}  // namespace kalvenor
