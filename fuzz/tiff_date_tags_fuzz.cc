// The engine's own reader of EXIF date tags, on any bytes: it never reads
// outside them, what it finds is what libexiv2 finds in the same bytes,
// and what it finds in a file's first bytes stands when the rest is there.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exiv2_exif_reader.h"
#include "fuzz_check.h"
#include "tiff_date_tags.h"

namespace {

using Outcome = kalvenor::TiffDateScan::Outcome;

bool Plain(const kalvenor::ExifDateTags& tags, std::size_t size) {
  for (const std::string* text :
       {&tags.dateTimeOriginal, &tags.subSecTimeOriginal, &tags.offsetTimeOriginal,
        &tags.dateTimeDigitized, &tags.subSecTimeDigitized, &tags.offsetTimeDigitized}) {
    if (text->size() > size || text->find('\0') != std::string::npos) return false;
  }
  return true;
}

}  // namespace

// NOLINTNEXTLINE(readability-identifier-naming): the name libFuzzer calls
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kalvenor::TiffDateScan whole = kalvenor::ScanTiffDateTags(bytes);
  if (whole.outcome == Outcome::Found) {
    FUZZ_CHECK(Plain(whole.tags, size));
    static kalvenor::Exiv2ExifReader library;
    FUZZ_CHECK(whole.tags == library.ReadTiffDateTags(bytes));
  }
  const kalvenor::TiffDateScan start = kalvenor::ScanTiffDateTags(bytes.substr(0, size / 2));
  if (start.outcome == Outcome::Found) {
    FUZZ_CHECK(whole.outcome == Outcome::Found && start.tags == whole.tags);
  }
  return 0;
}
