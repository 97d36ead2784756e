// The engine's one door to a metadata library: the EXIF date tags of a
// file, read from the file's leading bytes. The engine decides which bytes
// a file needs (capture_time_reader.h) and turns the tags into a time
// (CaptureTimeFromExif); a reader only decodes. Exiv2ExifReader
// (exiv2_exif_reader.h) is the real one; tests may hand a run another.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "capture_time.h"

namespace kalvenor {

// The tags as text, each empty when absent.
struct ExifDateTags {
  std::string dateTimeOriginal;
  std::string subSecTimeOriginal;
  std::string offsetTimeOriginal;
  std::string dateTimeDigitized;
  std::string subSecTimeDigitized;
  std::string offsetTimeDigitized;
};

class ExifReader {
 public:
  virtual ~ExifReader() = default;

  // The date tags in `fileStart`, the first bytes of a file (or all of it):
  // a JPEG, a TIFF-based raw file, a HEIF, AVIF or CR3 still, or any other
  // format the reader knows. Tags whose bytes lie beyond `fileStart` are
  // missing. Never throws: damaged or unknown data gives what could be
  // read, or no tags. Must be safe to call from several threads at once.
  virtual ExifDateTags ReadDateTags(std::string_view fileStart) = 0;

  // The same from a TIFF structure alone ("II*\0" or "MM\0*" and its IFDs):
  // the payload of a JPEG's EXIF segment, or a TIFF-based raw file's first
  // bytes. Cheaper: no format to recognise, no other segment to walk.
  virtual ExifDateTags ReadTiffDateTags(std::string_view tiff) = 0;
};

// DateTimeOriginal with its sub-seconds and offset; else DateTimeDigitized
// with its own; nullopt when neither holds a date. The last-edit time
// (DateTime) is never used: editing a photo does not move when it was taken.
std::optional<CaptureTime> CaptureTimeFromExif(const ExifDateTags& tags);

}  // namespace kalvenor
