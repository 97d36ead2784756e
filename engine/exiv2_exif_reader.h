// The EXIF date tags through libexiv2, from bytes in memory (the engine
// reads the files itself, through its FileSystem). This file and its .cc
// are the only ones that know the library.
#pragma once

#include "exif_reader.h"

namespace kalvenor {

class Exiv2ExifReader : public ExifReader {
 public:
  // Prepares the library once per process (its XMP parser, which must be
  // set up before any thread uses the library; the ISO media formats HEIF,
  // AVIF and CR3, which it reads only when asked to; its warnings on
  // standard error, which are silenced: a damaged file falls back to its
  // file time without a word).
  Exiv2ExifReader();

  ExifDateTags ReadDateTags(std::string_view fileStart) override;
  ExifDateTags ReadTiffDateTags(std::string_view tiff) override;
};

// The reader a run uses when it is handed none, made on first use.
ExifReader& DefaultExifReader();

}  // namespace kalvenor
