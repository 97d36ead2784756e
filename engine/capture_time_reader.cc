#include "capture_time_reader.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kalvenor {
namespace {

// Raw files are TIFF files (or start like one) with their EXIF near the start.
constexpr std::size_t kRawReadSize = 256 * 1024;
// The most read of a HEIF, AVIF or CR3 still before its EXIF.
constexpr std::uint64_t kStillReadLimit = 4 * 1024 * 1024;
// More segments than this before the EXIF one: not a photo's JPEG.
constexpr int kMaxJpegSegments = 64;

bool StartsWith(std::string_view bytes, std::string_view magic) {
  return bytes.substr(0, magic.size()) == magic;
}

bool IsRawLike(std::string_view start) {
  using namespace std::string_view_literals;
  constexpr std::array kMagic = {
      "II*\0"sv,  // TIFF, little-endian: CR2, NEF, ARW, DNG, PEF, ...
      "MM\0*"sv,  // TIFF, big-endian
      "IIRO"sv,
      "IIRS"sv,                  // Olympus ORF
      "IIU\0"sv,                 // Panasonic RW2
      "FUJIFILMCCD-RAW"sv,       // Fujifilm RAF
      "\0MRM"sv,                 // Minolta MRW
      "II\x1a\0\0\0HEAPCCDR"sv,  // Canon CRW
  };
  return std::any_of(kMagic.begin(), kMagic.end(),
                     [&](std::string_view magic) { return StartsWith(start, magic); });
}

// The offset just after a JPEG's EXIF segment (APP1 beginning "Exif\0\0"),
// walking its segments from the start; 0 when it has none before its
// image data or cannot be walked.
std::uint64_t JpegExifEnd(ByteSource& file, std::string_view start) {
  std::uint64_t at = 2;
  std::string header;
  for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
    if (at + 10 <= start.size()) {
      header.assign(start.substr(static_cast<std::size_t>(at), 10));
    } else if (at >= file.Size() || !file.Read(at, 10, header)) {
      return 0;
    }
    if (header.size() < 4 || static_cast<unsigned char>(header[0]) != 0xFF) return 0;
    const auto marker = static_cast<unsigned char>(header[1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return 0;  // image data or its end
    const std::uint64_t length = static_cast<std::uint64_t>(static_cast<unsigned char>(header[2]))
                                     << 8 |
                                 static_cast<unsigned char>(header[3]);
    if (length < 2) return 0;
    if (marker == 0xE1 && header.size() >= 10 &&
        header.substr(4, 6) == std::string("Exif\0\0", 6)) {
      return at + 2 + length;
    }
    at += 2 + length;
  }
  return 0;
}

}  // namespace

std::optional<CaptureTime> ReadCaptureTime(ByteSource& file, std::string_view start,
                                           ExifReader& exif) {
  std::uint64_t needed = start.size();
  const IsoKind iso = IsoKindOf(start);
  if (iso == IsoKind::Movie) return ReadMovieCaptureTime(file);
  if (iso == IsoKind::Still) {
    needed = StillMetadataEnd(file, kStillReadLimit);
  } else if (StartsWith(start, "\xFF\xD8")) {
    needed = std::max<std::uint64_t>(needed, JpegExifEnd(file, start));
  } else if (IsRawLike(start)) {
    needed = kRawReadSize;
  }
  needed = std::min(needed, file.Size());
  if (needed <= start.size()) return CaptureTimeFromExif(exif.ReadDateTags(start));
  std::string rest;
  if (!file.Read(start.size(), static_cast<std::size_t>(needed - start.size()), rest)) {
    return std::nullopt;
  }
  std::string bytes;
  bytes.reserve(start.size() + rest.size());
  bytes.append(start).append(rest);
  return CaptureTimeFromExif(exif.ReadDateTags(bytes));
}

HeldFileBytes::HeldFileBytes(FileSystem& fs, const FolderHandle& folder, const std::string& name)
    : m_fs(fs), m_file(fs.OpenForReading(folder, name, &m_size)) {}

std::optional<std::string_view> HeldFileBytes::ReadStart() {
  if (!m_file.IsOpen() ||
      !m_fs.ReadAt(m_file, 0,
                   static_cast<std::size_t>(std::min<std::uint64_t>(m_size, kFirstReadSize)),
                   m_start)) {
    return std::nullopt;
  }
  return std::string_view(m_start);
}

bool HeldFileBytes::Read(std::uint64_t offset, std::size_t length, std::string& out) {
  if (!m_file.IsOpen()) return false;
  // Served from the start when it holds the range, or holds all there is of it.
  const bool wholeFile = m_start.size() == m_size;
  if (offset <= m_start.size() && (length <= m_start.size() - offset || wholeFile)) {
    out.assign(m_start, static_cast<std::size_t>(offset), length);
    return true;
  }
  return m_fs.ReadAt(m_file, offset, length, out);
}

}  // namespace kalvenor
