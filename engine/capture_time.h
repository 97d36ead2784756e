// When a photo or film was taken, as its metadata tells it, and the key the
// "Date Taken" order compares.
//
// How times of different kinds compare: every time becomes the computer's
// own local wall-clock time, the time a file manager shows for a file, and
// the keys compare as such. An EXIF time without an offset is a reading of
// the camera's clock, whose zone the file does not say: it is taken as
// written, that is, as if the camera's clock was set to the computer's zone
// (so the photos of one camera keep their order exactly, also across a
// change of daylight saving time). A time that names its moment (EXIF with
// OffsetTimeOriginal, QuickTime's creation date with its offset, the movie
// header's UTC time, a file's write time) is turned into the computer's
// local time at that moment. So a phone photo with an offset and a camera
// photo without one interleave rightly whenever the camera's clock shows
// the computer's zone, which is the usual case at home.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "file_entry.h"

namespace kalvenor {

class FileSystem;

// Where a capture time was read.
enum class TimeSource {
  DateTimeOriginal,       // EXIF DateTimeOriginal, SubSecTimeOriginal, OffsetTimeOriginal
  DateTimeDigitized,      // EXIF DateTimeDigitized, SubSecTimeDigitized, OffsetTimeDigitized
  QuickTimeCreationDate,  // com.apple.quicktime.creationdate of an MP4 or MOV
  MovieHeader,            // the creation time of an MP4 or MOV movie header (mvhd), UTC
};

// What the time tells about its zone.
enum class TimeZoneKind {
  Unknown,  // a wall-clock reading whose zone is not said
  Offset,   // a wall-clock reading `offsetSeconds` east of UTC
  Utc,      // a UTC time
};

struct CaptureTime {
  // The calendar time as written, in seconds since 1970-01-01 00:00 of the
  // same calendar (no zone applied), and the fraction of its second in
  // 100-nanosecond units.
  std::int64_t seconds = 0;
  std::uint32_t ticks = 0;
  TimeZoneKind zone = TimeZoneKind::Unknown;
  std::int32_t offsetSeconds = 0;  // Offset only
  TimeSource source = TimeSource::DateTimeOriginal;
};

// An EXIF date and time ("YYYY:MM:DD HH:MM:SS", blank padding allowed
// after it) with its sub-second digits ("042") and its offset ("+02:00"),
// each of the last two possibly empty. nullopt for a blank, zero or
// impossible date; a sub-second or offset that cannot be read is ignored.
std::optional<CaptureTime> ParseExifDateTime(std::string_view dateTime, std::string_view subSec,
                                             std::string_view offset, TimeSource source);

// An ISO 8601 date and time as QuickTime metadata writes it
// ("2024-05-01T10:00:00+0200", with "+02:00", "Z", a fraction of a second
// or no zone at all). nullopt when it cannot be read.
std::optional<CaptureTime> ParseIsoDateTime(std::string_view text, TimeSource source);

// The movie header's creation time: UTC seconds since 1904-01-01. nullopt
// for 0 (not set).
std::optional<CaptureTime> MovieHeaderTime(std::uint64_t secondsSince1904);

// The ordering key of a capture time: the computer's local wall-clock time
// (see the top of this file) as a FileTime value (100 ns since 1601).
FileTime TakenKey(const CaptureTime& time, FileSystem& fs);

// The ordering key of a file without a capture time: its write time (UTC)
// as the computer's local wall-clock time.
FileTime TakenKeyOfFileTime(FileTime writeTime, FileSystem& fs);

}  // namespace kalvenor
