// Photo and film files made by the tests themselves: JPEG, TIFF-based raw
// and HEIF files whose EXIF libexiv2 encodes from the tags a test names,
// and MP4/MOV films built box by box. Each is returned as its bytes; a test
// writes, cuts or damages them as it likes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kalvenor::testing {

// EXIF tags by libexiv2 key and value as text, e.g.
// {"Exif.Photo.DateTimeOriginal", "2024:05:01 10:00:00"}.
using ExifTags = std::vector<std::pair<std::string, std::string>>;

// The tags as a TIFF structure (the EXIF of a JPEG, or a whole raw file),
// encoded by libexiv2.
std::string ExifTiff(const ExifTags& tags, bool bigEndian = false);

// An 8x8 JPEG with an EXIF segment holding `tags` after its JFIF segment
// (no EXIF segment when `tags` is empty).
std::string JpegWithExif(const ExifTags& tags);

// A HEIF still (ftyp heic, a meta box with the item info and location of
// an Exif item, an mdat box) with `tags` as its Exif item, placed after
// `imageBytes` of image data in the mdat box.
std::string HeifWithExif(const ExifTags& tags, std::size_t imageBytes = 64);

// A Canon CR3 raw file's boxes: ftyp "crx ", a moov box with Canon's uuid
// box holding CMT1 (IFD0, from `imageTags`) and CMT2 (the Exif IFD, as a
// TIFF structure's first IFD, from `exifTags` named "Exif.Image.*"), then
// `imageBytes` of media data.
std::string Cr3WithExif(const ExifTags& imageTags, const ExifTags& exifTags,
                        std::size_t imageBytes = 64);

// A film's metadata boxes.
struct MovieBoxes {
  std::string brand = "qt  ";           // the major brand of the ftyp box
  std::uint64_t headerTime = 0;         // the mvhd creation time, seconds since 1904 (0: unset)
  bool headerVersion1 = false;          // a 64-bit mvhd
  std::string creationDate;             // com.apple.quicktime.creationdate; empty: none
  bool creationDateInUserData = false;  // in moov/udta/meta rather than moov/meta
  bool moovLast = false;                // the moov box after the media data
  std::size_t mediaBytes = 256;         // the size of the mdat box's content
};
std::string Movie(const MovieBoxes& boxes);

}  // namespace kalvenor::testing
