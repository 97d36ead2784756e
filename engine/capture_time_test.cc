#include "capture_time.h"

#include <gtest/gtest.h>

#include <ctime>

#include "posix_file_system.h"

namespace kalvenor {
namespace {

// Seconds since 1970 of a UTC calendar time, by the C library.
std::int64_t Utc(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  return ::timegm(&tm);
}

FileTime Key(std::int64_t unixSeconds, std::uint32_t ticks = 0) {
  return static_cast<FileTime>(unixSeconds + 11644473600) * 10000000 + ticks;
}

// A computer two hours east of UTC in summer (from 2024-03-31 01:00 UTC)
// and one hour east before.
class ZoneFileSystem : public FileSystemWrapper {
 public:
  ZoneFileSystem() : FileSystemWrapper(m_real) {}
  std::int64_t UtcOffsetAt(std::int64_t unixSeconds) override {
    return unixSeconds >= Utc(2024, 3, 31, 1, 0, 0) ? 7200 : 3600;
  }

 private:
  PosixFileSystem m_real;
};

TEST(CaptureTimeTest, ExifTimesAreReadWithTheirSubSecondsAndOffsets) {
  struct Case {
    const char *dateTime, *subSec, *offset;
    std::optional<std::int64_t> seconds;
    std::uint32_t ticks;
    TimeZoneKind zone;
    std::int32_t east;
  } cases[] = {
      {"2024:05:01 10:00:00", "", "", Utc(2024, 5, 1, 10, 0, 0), 0, TimeZoneKind::Unknown, 0},
      {"2024:05:01 10:00:00", "042", "", Utc(2024, 5, 1, 10, 0, 0), 420000, TimeZoneKind::Unknown,
       0},
      {"2024:05:01 10:00:00", "5 ", "+02:00", Utc(2024, 5, 1, 10, 0, 0), 5000000,
       TimeZoneKind::Offset, 7200},
      {"2024:05:01 10:00:00", "123456789", "-05:30", Utc(2024, 5, 1, 10, 0, 0), 1234567,
       TimeZoneKind::Offset, -19800},
      {"2024:05:01 10:00:00  ", "x", "02:00", Utc(2024, 5, 1, 10, 0, 0), 0, TimeZoneKind::Unknown,
       0},  // unreadable sub-seconds and offset are ignored
      {"2024-05-01 10:00:00", "", "", Utc(2024, 5, 1, 10, 0, 0), 0, TimeZoneKind::Unknown, 0},
      {"2000:02:29 23:59:60", "", "", Utc(2000, 2, 29, 23, 59, 59), 0, TimeZoneKind::Unknown, 0},
      {"1601:01:01 00:00:00", "", "", Utc(1601, 1, 1, 0, 0, 0), 0, TimeZoneKind::Unknown, 0},
      {"    :  :     :  :  ", "", "", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"0000:00:00 00:00:00", "", "", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"2023:02:29 10:00:00", "", "", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"2024:05:01 24:00:00", "", "", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"2024:05:01 10:00", "", "", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"2024:05:01 10:00:00x", "", "", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"", "", "", std::nullopt, 0, TimeZoneKind::Unknown, 0},
  };
  for (const Case& c : cases) {
    const auto time =
        ParseExifDateTime(c.dateTime, c.subSec, c.offset, TimeSource::DateTimeDigitized);
    ASSERT_EQ(time.has_value(), c.seconds.has_value()) << c.dateTime;
    if (!time) continue;
    EXPECT_EQ(time->seconds, *c.seconds) << c.dateTime;
    EXPECT_EQ(time->ticks, c.ticks) << c.subSec;
    EXPECT_EQ(time->zone, c.zone) << c.offset;
    EXPECT_EQ(time->offsetSeconds, c.east) << c.offset;
    EXPECT_EQ(time->source, TimeSource::DateTimeDigitized);
  }
}

TEST(CaptureTimeTest, QuickTimeDatesAndMovieHeaderTimesAreRead) {
  struct Case {
    const char* text;
    std::optional<std::int64_t> seconds;
    std::uint32_t ticks;
    TimeZoneKind zone;
    std::int32_t east;
  } cases[] = {
      {"2024-05-01T10:00:00+0200", Utc(2024, 5, 1, 10, 0, 0), 0, TimeZoneKind::Offset, 7200},
      {"2024-05-01T10:00:00-07:00", Utc(2024, 5, 1, 10, 0, 0), 0, TimeZoneKind::Offset, -25200},
      {"2024-05-01T10:00:00Z", Utc(2024, 5, 1, 10, 0, 0), 0, TimeZoneKind::Utc, 0},
      {"2024-05-01T10:00:00.25+01", Utc(2024, 5, 1, 10, 0, 0), 2500000, TimeZoneKind::Offset, 3600},
      {"2024-05-01 10:00:00", Utc(2024, 5, 1, 10, 0, 0), 0, TimeZoneKind::Unknown, 0},
      {"2024-05-01T10:00:00+2", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"2024-05-01T10:00:00.+0200", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"2024:05:01 10:00:00", std::nullopt, 0, TimeZoneKind::Unknown, 0},
      {"2024-13-01T10:00:00Z", std::nullopt, 0, TimeZoneKind::Unknown, 0},
  };
  for (const Case& c : cases) {
    const auto time = ParseIsoDateTime(c.text, TimeSource::QuickTimeCreationDate);
    ASSERT_EQ(time.has_value(), c.seconds.has_value()) << c.text;
    if (!time) continue;
    EXPECT_EQ(time->seconds, *c.seconds) << c.text;
    EXPECT_EQ(time->ticks, c.ticks) << c.text;
    EXPECT_EQ(time->zone, c.zone) << c.text;
    EXPECT_EQ(time->offsetSeconds, c.east) << c.text;
  }
  const std::int64_t from1904 = 2082844800;
  const auto header =
      MovieHeaderTime(static_cast<std::uint64_t>(Utc(2024, 5, 1, 8, 0, 0) + from1904));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->seconds, Utc(2024, 5, 1, 8, 0, 0));
  EXPECT_EQ(header->zone, TimeZoneKind::Utc);
  EXPECT_EQ(header->source, TimeSource::MovieHeader);
  EXPECT_FALSE(MovieHeaderTime(0));  // not set
  EXPECT_FALSE(MovieHeaderTime(~std::uint64_t{0}));
}

// Every kind of time becomes the computer's local wall-clock time: a
// reading without a zone as written, the others shifted by the computer's
// offset at their moment.
TEST(CaptureTimeTest, KeysAreTheComputersLocalTime) {
  ZoneFileSystem fs;
  const auto exif = [](const char* offset) {
    return *ParseExifDateTime("2024:05:01 10:00:00", "5", offset, TimeSource::DateTimeOriginal);
  };
  const std::int64_t tenAm = Utc(2024, 5, 1, 10, 0, 0);
  EXPECT_EQ(TakenKey(exif(""), fs), Key(tenAm, 5000000));        // as written
  EXPECT_EQ(TakenKey(exif("+02:00"), fs), Key(tenAm, 5000000));  // the computer's zone
  EXPECT_EQ(TakenKey(exif("+09:00"), fs),
            Key(tenAm - std::int64_t{7} * 3600, 5000000));  // from Tokyo
  // A UTC time in winter and in summer.
  const auto header = *MovieHeaderTime(static_cast<std::uint64_t>(tenAm + 2082844800));
  EXPECT_EQ(TakenKey(header, fs), Key(tenAm + 7200));
  const std::int64_t january = Utc(2024, 1, 10, 10, 0, 0);
  EXPECT_EQ(TakenKey(*MovieHeaderTime(static_cast<std::uint64_t>(january + 2082844800)), fs),
            Key(january + 3600));
  // A write time is a UTC moment too.
  EXPECT_EQ(TakenKeyOfFileTime(Key(tenAm, 7), fs), Key(tenAm + 7200, 7));
  EXPECT_EQ(TakenKeyOfFileTime(Key(january), fs), Key(january + 3600));
}

}  // namespace
}  // namespace kalvenor
