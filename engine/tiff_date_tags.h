// The EXIF date tags of a TIFF structure ("II*\0" or "MM\0*" and its IFDs:
// a JPEG's EXIF segment, a TIFF-based raw file's start, a HEIF's Exif
// item, a CR3's CMT2 box), read straight from its first IFD and the Exif
// IFD that IFD points to, as cameras write them. Much cheaper than a full
// metadata decoder, which reads every tag and the maker note too.
//
// It gives what it finds only where the answer is certain: the structure
// is whole and plain, so that a full decoder would find exactly the same
// tags. Anything unusual (damage, a value of another type than text, an
// IFD of too many entries, a tag twice) it leaves undecided, for the
// decoder to settle. It reads nothing outside the bytes it is given.
#pragma once

#include <cstdint>
#include <string_view>

#include "exif_reader.h"

namespace kalvenor {

struct TiffDateScan {
  enum class Outcome {
    Found,      // `tags` are the date tags (each empty when absent)
    Beyond,     // what is needed lies after the given bytes (a longer start may answer)
    Undecided,  // not plain enough to tell: a full decoder must read it
  };
  Outcome outcome = Outcome::Undecided;
  ExifDateTags tags;
};

// DateTimeOriginal, DateTimeDigitized and their sub-second and offset tags
// from the first IFD and the Exif IFD of `tiff`; the Exif IFD's value
// where both hold a tag. The thumbnail's IFD, the maker note and the last
// edit time (DateTime) are never read.
TiffDateScan ScanTiffDateTags(std::string_view tiff);

}  // namespace kalvenor
