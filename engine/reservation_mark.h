// How a reservation is marked: the empty file that holds a rename's target
// name on a file system without a rename that refuses to replace (see
// FileSystem::RenameNoReplace). Its modification time is set to one odd,
// fixed moment, so that a reservation a crash left behind is told from a
// user's own empty file. FAT keeps local time in 2-second steps, so the
// time read back may be off by up to 2 s and, after a change of time zone,
// by whole quarter hours.
#pragma once

#include <cstdint>

namespace kalvenor {

// 1984-04-04 04:04:04 UTC, in seconds since 1970.
inline constexpr std::int64_t kReservationMarkSeconds = 449899444;

// Whether a modification time (seconds since 1970) is the mark as some
// file system in some time zone gives it back.
bool IsReservationMark(std::int64_t modifiedSeconds);

}  // namespace kalvenor
