// Why a rename failed: a small value decided where the failure happens and
// turned into the user's words in one place (CauseText).
#pragma once

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

// The text that follows "Rename error: ", e.g. "access denied.". Ok has
// no text of its own and reads like NoneGiven.
const char* CauseText(Cause cause);

}  // namespace kalvenor
