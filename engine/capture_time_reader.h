// The capture time of one file, read from as few of its leading bytes as
// its format needs: a JPEG up to the end of its EXIF segment (the first
// 64 KiB nearly always), a TIFF-based raw file its first 256 KiB (where
// cameras put the EXIF), a HEIF, AVIF or CR3 still its boxes up to its
// metadata, and a film (MP4, MOV) only the boxes of its movie header and
// metadata, found by their offsets wherever they lie. The EXIF is decoded
// by an ExifReader; the films' boxes are read here (iso_boxes.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "capture_time.h"
#include "exif_reader.h"
#include "file_system.h"
#include "iso_boxes.h"

namespace kalvenor {

// How much a file's first read takes; most formats need no more.
inline constexpr std::size_t kFirstReadSize = std::size_t{64} << 10;

// The capture time of the file `file`, whose first min(size,
// kFirstReadSize) bytes are `start`; nullopt when it has none that can be
// read (not a photo or film, no date in it, damaged or truncated before
// it). Never throws for what the file holds.
std::optional<CaptureTime> ReadCaptureTime(ByteSource& file, std::string_view start,
                                           ExifReader& exif);

// The file `name` of the held folder as a ByteSource that keeps its first
// bytes, so that a format's further looks at them read nothing again.
class HeldFileBytes : public ByteSource {
 public:
  // Opens the file; IsOpen() tells whether that worked. The first bytes
  // are kept in `startBuffer`, which the caller may hand to the next file:
  // its memory is then used again instead of being allocated anew.
  HeldFileBytes(FileSystem& fs, const FolderHandle& folder, const std::string& name,
                std::string& startBuffer);
  bool IsOpen() const { return m_file.IsOpen(); }
  // Reads the first min(Size(), kFirstReadSize) bytes and keeps them;
  // nullopt on a read error.
  std::optional<std::string_view> ReadStart();
  std::uint64_t Size() const override { return m_size; }
  bool Read(std::uint64_t offset, std::size_t length, std::string& out) override;

 private:
  FileSystem& m_fs;
  std::uint64_t m_size = 0;  // before m_file, whose opening sets it
  ReadHandle m_file;
  std::string& m_start;
  bool m_started = false;
};

}  // namespace kalvenor
