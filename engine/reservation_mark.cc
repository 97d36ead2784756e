#include "reservation_mark.h"

namespace kalvenor {

bool IsReservationMark(std::int64_t modifiedSeconds) {
  constexpr std::int64_t kQuarterHour = std::int64_t{15} * 60;
  constexpr std::int64_t kFarthestZone = std::int64_t{14} * 60 * 60;
  constexpr std::int64_t kStep = 2;  // FAT's resolution
  const std::int64_t off = modifiedSeconds - kReservationMarkSeconds;
  if (off < -kFarthestZone - kStep || off > kFarthestZone + kStep) return false;
  const std::int64_t rest = ((off % kQuarterHour) + kQuarterHour) % kQuarterHour;
  return rest <= kStep || rest >= kQuarterHour - kStep;
}

}  // namespace kalvenor
