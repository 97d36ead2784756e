// Files of the ISO base media format (MP4, MOV, HEIF, AVIF, CR3) read by
// the offsets of their boxes, never loaded whole: a box is a 32-bit size
// (or 1 and a 64-bit size, or 0 for "to the end of its parent"), a
// four-letter type and its content. Everything read is checked against the
// box that holds it, so a damaged or truncated file ends the walk early
// and never reads outside the file or loops.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "capture_time.h"

namespace kalvenor {

// A file's bytes, read by offset.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Replaces `out` with up to `length` bytes from `offset` on (fewer where
  // the file ends); false on a read error.
  virtual bool Read(std::uint64_t offset, std::size_t length, std::string& out) = 0;
};

// What the file type box (ftyp) at the start of a file says.
enum class IsoKind {
  None,   // no ftyp box first: not this format
  Movie,  // a film (MP4, MOV, 3GP and the like)
  Still,  // a picture: HEIF, HEIC, AVIF or a Canon CR3 raw file
};

// The kind of file whose first bytes are `start` (a few dozen suffice).
IsoKind IsoKindOf(std::string_view start);

// The capture time of a film: the QuickTime creation date
// (com.apple.quicktime.creationdate in the keys and ilst boxes of
// moov/meta or moov/udta/meta), else the creation time of the movie
// header (moov/mvhd). nullopt when the file has neither or is damaged
// before them.
std::optional<CaptureTime> ReadMovieCaptureTime(ByteSource& file);

// A range of a file's bytes, [begin, end).
struct ByteRange {
  std::uint64_t begin = 0;
  std::uint64_t end = 0;
};

// Where a still picture keeps its EXIF: the data of the Exif item of a
// HEIF or AVIF (a 32-bit offset, then the TIFF structure that many bytes
// further on, usually after "Exif\0\0"), or the CMT2 box of a CR3 (a TIFF
// structure whose first IFD is the Exif IFD). nullopt when it has none
// that can be found, or it lies beyond the file's end.
std::optional<ByteRange> StillExifRange(ByteSource& file);

// How many leading bytes of a still picture hold what a metadata library
// reads for its EXIF: the boxes up to the end of the top-level meta box
// (HEIF, AVIF) or moov box (CR3), and the EXIF item when the meta box's
// item locations put it within `limit`. At most `limit`; 0 when the boxes
// cannot be walked.
std::uint64_t StillMetadataEnd(ByteSource& file, std::uint64_t limit);

}  // namespace kalvenor
