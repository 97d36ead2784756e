#include "exif_reader.h"

namespace kalvenor {

std::optional<CaptureTime> CaptureTimeFromExif(const ExifDateTags& tags) {
  if (auto original = ParseExifDateTime(tags.dateTimeOriginal, tags.subSecTimeOriginal,
                                        tags.offsetTimeOriginal, TimeSource::DateTimeOriginal)) {
    return original;
  }
  return ParseExifDateTime(tags.dateTimeDigitized, tags.subSecTimeDigitized,
                           tags.offsetTimeDigitized, TimeSource::DateTimeDigitized);
}

}  // namespace kalvenor
