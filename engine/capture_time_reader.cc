#include "capture_time_reader.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kalvenor {
namespace {

// Raw files are TIFF files (or start like one) with their EXIF near the start.
constexpr std::size_t kRawReadSize = std::size_t{256} << 10;
// The most read of a HEIF, AVIF or CR3 still before its EXIF.
constexpr std::uint64_t kStillReadLimit = std::uint64_t{4} << 20;
// No EXIF is larger: a JPEG segment holds 64 KiB, and other formats keep
// to that size or little more.
constexpr std::uint64_t kMaxExifSize = std::uint64_t{1} << 20;
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

// Where a JPEG's EXIF lies: the TIFF structure inside its EXIF segment
// (APP1 beginning "Exif\0\0"), found by walking its segments from the start.
struct TiffRange {
  std::uint64_t begin = 0;
  std::uint64_t end = 0;  // 0: no EXIF segment before the image data, or none to be found
};

TiffRange JpegExifRange(ByteSource& file, std::string_view start) {
  constexpr std::string_view kExifHeader("Exif\0\0", 6);
  std::uint64_t at = 2;
  std::string header;
  for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
    if (at + 10 <= start.size()) {
      header.assign(start.substr(static_cast<std::size_t>(at), 10));
    } else if (at >= file.Size() || !file.Read(at, 10, header)) {
      return {};
    }
    if (header.size() < 4 || static_cast<unsigned char>(header[0]) != 0xFF) return {};
    const auto marker = static_cast<unsigned char>(header[1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return {};  // image data or its end
    const std::uint64_t length = static_cast<std::uint64_t>(static_cast<unsigned char>(header[2]))
                                     << 8 |
                                 static_cast<unsigned char>(header[3]);
    if (length < 2) return {};
    if (marker == 0xE1 && length >= 2 + kExifHeader.size() && header.size() >= 10 &&
        std::string_view(header).substr(4, 6) == kExifHeader) {
      return {at + 4 + kExifHeader.size(), at + 2 + length};
    }
    at += 2 + length;
  }
  return {};
}

// The bytes [begin, end) of the file: a view into `start` when it holds
// them, else read into `buffer`; nullopt on a read error.
std::optional<std::string_view> Bytes(ByteSource& file, std::string_view start, std::uint64_t begin,
                                      std::uint64_t end, std::string& buffer) {
  end = std::min(end, file.Size());
  if (begin >= end) return std::string_view();
  if (end <= start.size()) {
    return start.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
  }
  // What `start` holds already is not read again.
  const std::uint64_t from = std::clamp<std::uint64_t>(start.size(), begin, end);
  std::string rest;
  if (!file.Read(from, static_cast<std::size_t>(end - from), rest)) return std::nullopt;
  buffer.assign(
      start.substr(std::min<std::size_t>(static_cast<std::size_t>(begin), start.size()),
                   static_cast<std::size_t>(from - std::min<std::uint64_t>(begin, from))));
  buffer += rest;
  return std::string_view(buffer);
}

bool IsTiff(std::string_view bytes) {
  return StartsWith(bytes, std::string_view("II*\0", 4)) ||
         StartsWith(bytes, std::string_view("MM\0*", 4));
}

// The TIFF structure in a still's EXIF bytes: the bytes themselves (CR3),
// or after the 32-bit offset that begins a HEIF Exif item; failing both,
// the first TIFF header among the first bytes, as some writers get the
// offset wrong. Empty when there is none.
std::string_view TiffOfExif(std::string_view exif) {
  if (IsTiff(exif)) return exif;
  if (exif.size() >= 4) {
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < 4; ++i) offset = offset << 8 | static_cast<unsigned char>(exif[i]);
    if (offset < exif.size() - 4 && IsTiff(exif.substr(4 + offset))) return exif.substr(4 + offset);
  }
  for (std::size_t at = 0; at < 64 && at < exif.size(); ++at) {
    if (IsTiff(exif.substr(at))) return exif.substr(at);
  }
  return {};
}

}  // namespace

std::optional<CaptureTime> ReadCaptureTime(ByteSource& file, std::string_view start,
                                           ExifReader& exif) {
  std::string buffer;
  const IsoKind iso = IsoKindOf(start);
  if (iso == IsoKind::Movie) return ReadMovieCaptureTime(file);
  // A JPEG and a plain TIFF hand the decoder their TIFF structure alone.
  if (StartsWith(start, "\xFF\xD8")) {
    const TiffRange tiff = JpegExifRange(file, start);
    if (tiff.end == 0) return std::nullopt;
    const auto bytes = Bytes(file, start, tiff.begin, tiff.end, buffer);
    if (!bytes) return std::nullopt;
    return CaptureTimeFromExif(exif.ReadTiffDateTags(*bytes));
  }
  if (IsTiff(start)) {
    const auto bytes = Bytes(file, start, 0, kRawReadSize, buffer);
    if (!bytes) return std::nullopt;
    return CaptureTimeFromExif(exif.ReadTiffDateTags(*bytes));
  }
  // A HEIF, AVIF or CR3 still: its EXIF's TIFF structure, wherever it lies.
  if (iso == IsoKind::Still) {
    if (const auto range = StillExifRange(file);
        range && range->end - range->begin <= kMaxExifSize) {
      const auto bytes = Bytes(file, start, range->begin, range->end, buffer);
      const std::string_view tiff = bytes ? TiffOfExif(*bytes) : std::string_view();
      if (!tiff.empty()) {
        if (auto time = CaptureTimeFromExif(exif.ReadTiffDateTags(tiff))) return time;
      }
    }
  }
  // Every other format (and a still whose EXIF was not found so) goes to
  // the decoder whole, as far as it needs.
  std::uint64_t needed = start.size();
  if (iso == IsoKind::Still) {
    needed = StillMetadataEnd(file, kStillReadLimit);
  } else if (IsRawLike(start)) {
    needed = kRawReadSize;
  }
  const auto bytes = Bytes(file, start, 0, std::max<std::uint64_t>(needed, start.size()), buffer);
  if (!bytes) return std::nullopt;
  return CaptureTimeFromExif(exif.ReadDateTags(*bytes));
}

HeldFileBytes::HeldFileBytes(FileSystem& fs, const FolderHandle& folder, const std::string& name,
                             std::string& startBuffer)
    : m_fs(fs), m_file(fs.OpenForReading(folder, name, &m_size)), m_start(startBuffer) {}

std::optional<std::string_view> HeldFileBytes::ReadStart() {
  if (!m_file.IsOpen() ||
      !m_fs.ReadAt(m_file, 0,
                   static_cast<std::size_t>(std::min<std::uint64_t>(m_size, kFirstReadSize)),
                   m_start)) {
    return std::nullopt;
  }
  m_started = true;
  return std::string_view(m_start);
}

bool HeldFileBytes::Read(std::uint64_t offset, std::size_t length, std::string& out) {
  if (!m_file.IsOpen()) return false;
  // Served from the start when it holds the range, or holds all there is of it.
  const bool wholeFile = m_started && m_start.size() == m_size;
  if (m_started && offset <= m_start.size() && (length <= m_start.size() - offset || wholeFile)) {
    out.assign(m_start, static_cast<std::size_t>(offset), length);
    return true;
  }
  return m_fs.ReadAt(m_file, offset, length, out);
}

}  // namespace kalvenor
