#include "capture_time.h"

#include <chrono>

#include "file_system.h"

namespace kalvenor {
namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t kSecondsFrom1904To1970 = 2082844800;
constexpr std::int64_t kTicksPerSecond = 10000000;

// Reads exactly `count` ASCII digits at `at`, moving past them.
std::optional<int> Digits(std::string_view text, std::size_t& at, std::size_t count) {
  if (text.size() < at + count) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char c = text[at + i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  at += count;
  return value;
}

bool Skip(std::string_view text, std::size_t& at, std::string_view oneOf) {
  if (at >= text.size() || oneOf.find(text[at]) == std::string_view::npos) return false;
  ++at;
  return true;
}

// "YYYY?MM?DD?HH?MM?SS" with the separators given, as seconds of the
// calendar since 1970; nullopt for an impossible date (and for year 0,
// which cameras write when their clock was never set).
std::optional<std::int64_t> CalendarSeconds(std::string_view text, std::size_t& at,
                                            std::string_view dateSeparators,
                                            std::string_view middle) {
  const auto year = Digits(text, at, 4);
  if (!year || !Skip(text, at, dateSeparators)) return std::nullopt;
  const auto month = Digits(text, at, 2);
  if (!month || !Skip(text, at, dateSeparators)) return std::nullopt;
  const auto day = Digits(text, at, 2);
  if (!day || !Skip(text, at, middle)) return std::nullopt;
  const auto hour = Digits(text, at, 2);
  if (!hour || !Skip(text, at, ":")) return std::nullopt;
  const auto minute = Digits(text, at, 2);
  if (!minute || !Skip(text, at, ":")) return std::nullopt;
  const auto second = Digits(text, at, 2);
  if (!second) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(*year),
                                         std::chrono::month(static_cast<unsigned>(*month)),
                                         std::chrono::day(static_cast<unsigned>(*day))};
  // A leap second (60) counts as the last second of its minute.
  if (*year < 1601 || !date.ok() || *hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
  const std::int64_t days = std::chrono::sys_days(date).time_since_epoch().count();
  return days * 86400 + std::int64_t{*hour} * 3600 + std::int64_t{*minute} * 60 +
         std::min(*second, 59);
}

// Up to seven leading digits as 100 ns units ("5" is half a second); the
// rest of the digits is dropped. nullopt when `digits` holds no digit at
// its start.
std::optional<std::uint32_t> FractionTicks(std::string_view digits) {
  std::uint32_t ticks = 0;
  std::size_t used = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    if (used < 7) {
      ticks = ticks * 10 + static_cast<std::uint32_t>(c - '0');
      ++used;
    } else {
      ++used;
    }
  }
  if (used == 0) return std::nullopt;
  for (std::size_t i = std::min<std::size_t>(used, 7); i < 7; ++i) ticks *= 10;
  return ticks;
}

// "+HH:MM", "-HH:MM", "+HHMM" or "+HH" at `at` to its end, as seconds east
// of UTC.
std::optional<std::int32_t> OffsetSeconds(std::string_view text, std::size_t at) {
  if (at >= text.size() || (text[at] != '+' && text[at] != '-')) return std::nullopt;
  const int sign = text[at++] == '-' ? -1 : 1;
  const auto hours = Digits(text, at, 2);
  if (!hours) return std::nullopt;
  int minutes = 0;
  if (at < text.size()) {
    Skip(text, at, ":");
    const auto read = Digits(text, at, 2);
    if (!read) return std::nullopt;
    minutes = *read;
  }
  if (at != text.size() || *hours > 23 || minutes > 59) return std::nullopt;
  return sign * (*hours * 3600 + minutes * 60);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

FileTime ToFileTime(std::int64_t unixSeconds, std::uint32_t ticks) {
  const std::int64_t since1601 = unixSeconds + kSecondsFrom1601To1970;
  if (since1601 < 0) return 0;
  return static_cast<FileTime>(since1601) * kTicksPerSecond + ticks;
}

}  // namespace

std::optional<CaptureTime> ParseExifDateTime(std::string_view dateTime, std::string_view subSec,
                                             std::string_view offset, TimeSource source) {
  dateTime = TrimBlanks(dateTime);
  std::size_t at = 0;
  // The EXIF form uses ':' in the date; some writers use '-'.
  const std::optional<std::int64_t> seconds = CalendarSeconds(dateTime, at, ":-", " T");
  if (!seconds || at != dateTime.size()) return std::nullopt;
  CaptureTime time;
  time.seconds = *seconds;
  time.source = source;
  time.ticks = FractionTicks(TrimBlanks(subSec)).value_or(0);
  if (const std::optional<std::int32_t> east = OffsetSeconds(TrimBlanks(offset), 0)) {
    time.zone = TimeZoneKind::Offset;
    time.offsetSeconds = *east;
  }
  return time;
}

std::optional<CaptureTime> ParseIsoDateTime(std::string_view text, TimeSource source) {
  text = TrimBlanks(text);
  std::size_t at = 0;
  const std::optional<std::int64_t> seconds = CalendarSeconds(text, at, "-", "T ");
  if (!seconds) return std::nullopt;
  CaptureTime time;
  time.seconds = *seconds;
  time.source = source;
  if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
    ++at;
    const std::optional<std::uint32_t> ticks = FractionTicks(text.substr(at));
    if (!ticks) return std::nullopt;
    time.ticks = *ticks;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  }
  if (at == text.size()) return time;
  if (text.substr(at) == "Z") {
    time.zone = TimeZoneKind::Utc;
    return time;
  }
  const std::optional<std::int32_t> east = OffsetSeconds(text, at);
  if (!east) return std::nullopt;
  time.zone = TimeZoneKind::Offset;
  time.offsetSeconds = *east;
  return time;
}

std::optional<CaptureTime> MovieHeaderTime(std::uint64_t secondsSince1904) {
  // Beyond the year 9999 a value can only be garbage.
  constexpr std::uint64_t kLatest = 253402300799 + kSecondsFrom1904To1970;
  if (secondsSince1904 == 0 || secondsSince1904 > kLatest) return std::nullopt;
  CaptureTime time;
  time.seconds = static_cast<std::int64_t>(secondsSince1904) - kSecondsFrom1904To1970;
  time.zone = TimeZoneKind::Utc;
  time.source = TimeSource::MovieHeader;
  return time;
}

FileTime TakenKey(const CaptureTime& time, FileSystem& fs) {
  std::int64_t local = time.seconds;
  if (time.zone != TimeZoneKind::Unknown) {
    const std::int64_t utc =
        time.zone == TimeZoneKind::Offset ? time.seconds - time.offsetSeconds : time.seconds;
    local = utc + fs.UtcOffsetAt(utc);
  }
  return ToFileTime(local, time.ticks);
}

FileTime TakenKeyOfFileTime(FileTime writeTime, FileSystem& fs) {
  const auto utc = static_cast<std::int64_t>(writeTime / kTicksPerSecond) - kSecondsFrom1601To1970;
  const std::int64_t shifted =
      static_cast<std::int64_t>(writeTime) + fs.UtcOffsetAt(utc) * kTicksPerSecond;
  return shifted < 0 ? 0 : static_cast<FileTime>(shifted);
}

}  // namespace kalvenor
