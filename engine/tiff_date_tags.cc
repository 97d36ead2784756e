#include "tiff_date_tags.h"

#include <array>
#include <optional>
#include <string>

namespace kalvenor {
namespace {

using Outcome = TiffDateScan::Outcome;

constexpr std::uint16_t kExifIfdPointer = 0x8769;
constexpr std::uint16_t kTypeAscii = 2;
constexpr std::uint16_t kTypeLong = 4;
constexpr std::uint16_t kTypeIfd = 13;
// A directory of more entries is not a camera's; decoders refuse it.
constexpr std::uint16_t kMaxEntries = 256;
constexpr std::size_t kEntrySize = 12;

// The tags read, in the order of ExifDateTags' fields.
constexpr std::array<std::uint16_t, 6> kDateTags = {
    0x9003,  // DateTimeOriginal
    0x9291,  // SubSecTimeOriginal
    0x9011,  // OffsetTimeOriginal
    0x9004,  // DateTimeDigitized
    0x9292,  // SubSecTimeDigitized
    0x9012,  // OffsetTimeDigitized
};

std::string* Field(ExifDateTags& tags, std::size_t index) {
  std::array<std::string*, kDateTags.size()> fields = {
      &tags.dateTimeOriginal,  &tags.subSecTimeOriginal,  &tags.offsetTimeOriginal,
      &tags.dateTimeDigitized, &tags.subSecTimeDigitized, &tags.offsetTimeDigitized};
  return fields[index];
}

// The date tags one IFD holds, each absent or its text.
using IfdTags = std::array<std::optional<std::string_view>, kDateTags.size()>;

class TiffView {
 public:
  TiffView(std::string_view bytes, bool bigEndian) : m_bytes(bytes), m_bigEndian(bigEndian) {}

  bool Holds(std::uint64_t at, std::uint64_t count) const {
    return at <= m_bytes.size() && count <= m_bytes.size() - at;
  }
  std::uint32_t Number(std::size_t at, std::size_t count) const {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const auto byte = static_cast<unsigned char>(m_bytes[at + (m_bigEndian ? i : count - 1 - i)]);
      value = value << 8 | byte;
    }
    return value;
  }
  std::string_view Slice(std::size_t at, std::size_t count) const {
    return m_bytes.substr(at, count);
  }

 private:
  std::string_view m_bytes;
  bool m_bigEndian;
};

// Reads the IFD at `offset`: its date tags into `tags` and, when asked
// for, the offset of the Exif IFD it points to into `*exifIfd` (0: none).
Outcome ReadIfd(const TiffView& tiff, std::uint32_t offset, IfdTags& tags, std::uint32_t* exifIfd) {
  if (offset < 8) return Outcome::Undecided;  // inside the header
  if (!tiff.Holds(offset, 2)) return Outcome::Beyond;
  const std::uint32_t count = tiff.Number(offset, 2);
  if (count > kMaxEntries) return Outcome::Undecided;
  if (!tiff.Holds(offset + 2, std::uint64_t{count} * kEntrySize)) return Outcome::Beyond;
  bool beyond = false;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = offset + 2 + i * kEntrySize;
    const auto tag = static_cast<std::uint16_t>(tiff.Number(entry, 2));
    const std::uint32_t type = tiff.Number(entry + 2, 2);
    const std::uint32_t values = tiff.Number(entry + 4, 4);
    if (tag == kExifIfdPointer && exifIfd != nullptr) {
      if (*exifIfd != 0 || (type != kTypeLong && type != kTypeIfd) || values != 1) {
        return Outcome::Undecided;
      }
      *exifIfd = tiff.Number(entry + 8, 4);
      if (*exifIfd == 0 || *exifIfd == offset) return Outcome::Undecided;
      continue;
    }
    std::size_t index = 0;
    while (index < kDateTags.size() && kDateTags[index] != tag) ++index;
    if (index == kDateTags.size()) continue;
    if (type != kTypeAscii || tags[index]) return Outcome::Undecided;
    // Up to four bytes stand in the entry itself, more at an offset.
    const std::uint64_t at = values <= 4 ? entry + 8 : tiff.Number(entry + 8, 4);
    if (values > 4 && at < 8) return Outcome::Undecided;
    if (!tiff.Holds(at, values)) {
      beyond = true;
      continue;
    }
    // A text value ends at its first NUL.
    const std::string_view text = tiff.Slice(static_cast<std::size_t>(at), values);
    tags[index] = text.substr(0, text.find('\0'));
  }
  return beyond ? Outcome::Beyond : Outcome::Found;
}

}  // namespace

TiffDateScan ScanTiffDateTags(std::string_view bytes) {
  TiffDateScan scan;
  if (bytes.size() < 8) {
    scan.outcome = Outcome::Beyond;
    return scan;
  }
  bool bigEndian = false;
  if (bytes.substr(0, 4) == std::string_view("MM\0*", 4)) {
    bigEndian = true;
  } else if (bytes.substr(0, 4) != std::string_view("II*\0", 4)) {
    return scan;
  }
  const TiffView tiff(bytes, bigEndian);
  IfdTags first, exif;
  std::uint32_t exifIfd = 0;
  scan.outcome = ReadIfd(tiff, tiff.Number(4, 4), first, &exifIfd);
  if (scan.outcome != Outcome::Found) return scan;
  if (exifIfd != 0) {
    scan.outcome = ReadIfd(tiff, exifIfd, exif, nullptr);
    if (scan.outcome != Outcome::Found) return scan;
  }
  for (std::size_t i = 0; i < kDateTags.size(); ++i) {
    // The Exif IFD's value wins. Where it is empty, a decoder's answer
    // would depend on the order it lists the two: left to it.
    if (exif[i] && exif[i]->empty() && first[i] && !first[i]->empty()) {
      scan.outcome = Outcome::Undecided;
      return scan;
    }
    const std::optional<std::string_view>& value = exif[i] ? exif[i] : first[i];
    if (value) Field(scan.tags, i)->assign(*value);
  }
  return scan;
}

}  // namespace kalvenor
