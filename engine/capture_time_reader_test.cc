#include "capture_time_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <random>

#include "exiv2_exif_reader.h"
#include "photo_test_support.h"
#include "posix_file_system.h"
#include "test_support.h"

namespace kalvenor {
namespace {

using testing::ExifTags;
using testing::MovieBoxes;
using testing::TempDir;

std::int64_t Utc(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  return ::timegm(&tm);
}

constexpr std::uint64_t kFrom1904 = 2082844800;

// Counts the bytes read through it.
class CountingFileSystem : public FileSystemWrapper {
 public:
  CountingFileSystem() : FileSystemWrapper(m_real) {}
  bool ReadAt(const ReadHandle& file, std::uint64_t offset, std::size_t length,
              std::string& out) override {
    const bool read = FileSystemWrapper::ReadAt(file, offset, length, out);
    bytesRead += out.size();
    return read;
  }
  std::atomic<std::uint64_t> bytesRead{0};

 private:
  PosixFileSystem m_real;
};

class CaptureTimeReaderTest : public ::testing::Test {
 protected:
  // The capture time of a file holding `bytes`, made `size` long (a
  // hole after the bytes) when that is larger.
  std::optional<CaptureTime> Read(const std::string& bytes, std::uint64_t size = 0) {
    m_dir.MakeFile("file", bytes);
    if (size > bytes.size()) {
      EXPECT_EQ(::truncate(m_dir.Join("file").c_str(), static_cast<off_t>(size)), 0);
    }
    m_fs.bytesRead = 0;
    const FolderHandle folder = testing::OpenHeld(m_fs, m_dir.Path());
    HeldFileBytes file(m_fs, folder, "file", m_buffer);
    if (!file.IsOpen()) return std::nullopt;
    const std::optional<std::string_view> start = file.ReadStart();
    if (!start) return std::nullopt;
    return ReadCaptureTime(file, *start, m_exif);
  }

  TempDir m_dir;
  CountingFileSystem m_fs;
  Exiv2ExifReader m_exif;
  std::string m_buffer;
};

// What a CR3's CMT2 box holds: the Exif IFD as a TIFF structure's first IFD.
const ExifTags kCr3ExifTags = {{"Exif.Image.DateTimeOriginal", "2024:05:01 10:00:00"},
                               {"Exif.Image.0x9291", "42"}};

const ExifTags kFullTags = {{"Exif.Image.Make", "Kalvenor Test"},
                            {"Exif.Image.DateTime", "2024:06:30 18:00:00"},
                            {"Exif.Photo.DateTimeOriginal", "2024:05:01 10:00:00"},
                            {"Exif.Photo.SubSecTimeOriginal", "042"},
                            {"Exif.Photo.OffsetTimeOriginal", "+02:00"},
                            {"Exif.Photo.DateTimeDigitized", "2024:05:01 10:00:05"}};

TEST_F(CaptureTimeReaderTest, EachFormatGivesItsTimeFromTheRightTag) {
  const std::int64_t original = Utc(2024, 5, 1, 10, 0, 0);
  const std::int64_t digitized = Utc(2024, 5, 1, 10, 0, 5);
  const std::int64_t header = Utc(2024, 5, 1, 8, 0, 0);
  MovieBoxes film;
  film.headerTime = static_cast<std::uint64_t>(header) + kFrom1904;
  MovieBoxes filmV1 = film, dated = film, datedInUserData = film, moovLast = film, unset;
  filmV1.headerVersion1 = true;
  dated.creationDate = "2024-05-01T10:00:00+0200";
  datedInUserData = dated;
  datedInUserData.creationDateInUserData = true;
  datedInUserData.brand = "mp42";
  moovLast.moovLast = true;
  moovLast.mediaBytes = 300000;
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<TimeSource> source;
    std::int64_t seconds = 0;
    std::uint32_t ticks = 0;
    TimeZoneKind zone = TimeZoneKind::Unknown;
  } cases[] = {
      {"JPEG, all tags", testing::JpegWithExif(kFullTags), TimeSource::DateTimeOriginal, original,
       420000, TimeZoneKind::Offset},
      {"JPEG, digitized only",
       testing::JpegWithExif({{"Exif.Photo.DateTimeDigitized", "2024:05:01 10:00:05"},
                              {"Exif.Photo.SubSecTimeDigitized", "7"}}),
       TimeSource::DateTimeDigitized, digitized, 7000000, TimeZoneKind::Unknown},
      {"JPEG, blank original, digitized",
       testing::JpegWithExif({{"Exif.Photo.DateTimeOriginal", "    :  :     :  :  "},
                              {"Exif.Photo.DateTimeDigitized", "2024:05:01 10:00:05"}}),
       TimeSource::DateTimeDigitized, digitized, 0, TimeZoneKind::Unknown},
      {"JPEG, last edit only",
       testing::JpegWithExif({{"Exif.Image.DateTime", "2024:06:30 18:00:00"}}), std::nullopt},
      {"JPEG, no EXIF", testing::JpegWithExif({}), std::nullopt},
      {"raw, little-endian", testing::ExifTiff(kFullTags), TimeSource::DateTimeOriginal, original,
       420000, TimeZoneKind::Offset},
      {"raw, big-endian", testing::ExifTiff(kFullTags, true), TimeSource::DateTimeOriginal,
       original, 420000, TimeZoneKind::Offset},
      {"raw, original in IFD0",
       testing::ExifTiff({{"Exif.Image.DateTimeOriginal", "2024:05:01 10:00:00"}}),
       TimeSource::DateTimeOriginal, original, 0, TimeZoneKind::Unknown},
      {"HEIF", testing::HeifWithExif(kFullTags), TimeSource::DateTimeOriginal, original, 420000,
       TimeZoneKind::Offset},
      {"HEIF, EXIF after 1 MB of image", testing::HeifWithExif(kFullTags, 1 << 20),
       TimeSource::DateTimeOriginal, original, 420000, TimeZoneKind::Offset},
      {"CR3", testing::Cr3WithExif({{"Exif.Image.Model", "Canon EOS R5"}}, kCr3ExifTags),
       TimeSource::DateTimeOriginal, original, 4200000, TimeZoneKind::Unknown},
      {"MOV, header", testing::Movie(film), TimeSource::MovieHeader, header, 0, TimeZoneKind::Utc},
      {"MOV, 64-bit header", testing::Movie(filmV1), TimeSource::MovieHeader, header, 0,
       TimeZoneKind::Utc},
      {"MOV, creation date", testing::Movie(dated), TimeSource::QuickTimeCreationDate, original, 0,
       TimeZoneKind::Offset},
      {"MP4, creation date in udta", testing::Movie(datedInUserData),
       TimeSource::QuickTimeCreationDate, original, 0, TimeZoneKind::Offset},
      {"MOV, moov after the media", testing::Movie(moovLast), TimeSource::MovieHeader, header, 0,
       TimeZoneKind::Utc},
      {"MOV, no times", testing::Movie(unset), std::nullopt},
      {"text", "2024:05:01 10:00:00", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<CaptureTime> time = Read(c.bytes);
    ASSERT_EQ(time.has_value(), c.source.has_value()) << c.what;
    if (!time) continue;
    EXPECT_EQ(time->source, *c.source) << c.what;
    EXPECT_EQ(time->seconds, c.seconds) << c.what;
    EXPECT_EQ(time->ticks, c.ticks) << c.what;
    EXPECT_EQ(time->zone, c.zone) << c.what;
  }
}

// A 20 MB photo or film is read only as far as its metadata.
TEST_F(CaptureTimeReaderTest, BigFilesAreReadOnlyToTheirMetadata) {
  constexpr std::uint64_t kBig = 20 << 20;
  MovieBoxes film;
  film.headerTime = static_cast<std::uint64_t>(Utc(2024, 5, 1, 8, 0, 0)) + kFrom1904;
  film.moovLast = true;
  film.mediaBytes = kBig;
  struct Case {
    const char* what;
    std::string bytes;
    std::uint64_t size;
    std::uint64_t mostRead;
  } cases[] = {
      {"JPEG", testing::JpegWithExif(kFullTags), kBig, kFirstReadSize},
      {"raw", testing::ExifTiff(kFullTags), kBig, std::uint64_t{256} << 10},
      {"HEIF, EXIF after 20 MB of image", testing::HeifWithExif(kFullTags, kBig), 0,
       kFirstReadSize + 4096},
      {"CR3", testing::Cr3WithExif({{"Exif.Image.Model", "R5"}}, kCr3ExifTags, kBig), 0,
       kFirstReadSize},
      {"MOV, moov at the end", testing::Movie(film), 0, kFirstReadSize + 4096},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Read(c.bytes, c.size)) << c.what;
    EXPECT_LE(m_fs.bytesRead.load(), c.mostRead) << c.what;
  }
}

// Cut or damaged at random, a file gives a time or none, and never more
// than the intact file would read.
TEST_F(CaptureTimeReaderTest, TruncatedAndDamagedFilesNeverFailTheReader) {
  MovieBoxes film;
  film.headerTime = static_cast<std::uint64_t>(Utc(2024, 5, 1, 8, 0, 0)) + kFrom1904;
  film.creationDate = "2024-05-01T10:00:00+0200";
  const std::string files[] = {testing::JpegWithExif(kFullTags), testing::ExifTiff(kFullTags),
                               testing::HeifWithExif(kFullTags), testing::Movie(film)};
  std::mt19937 random(20261209);
  int timed = 0, untimed = 0;
  for (const std::string& intact : files) {
    for (int round = 0; round < 60; ++round) {
      std::string bytes = intact;
      if (round % 2 == 0) {
        bytes.resize(random() % bytes.size());
      } else {
        for (auto flips = 1 + random() % 8; flips > 0; --flips) {
          bytes[random() % bytes.size()] = static_cast<char>(random());
        }
      }
      (Read(bytes) ? timed : untimed) += 1;
    }
  }
  // Both outcomes occur: the damage is neither always fatal nor always harmless.
  EXPECT_GT(timed, 0);
  EXPECT_GT(untimed, 0);
}

}  // namespace
}  // namespace kalvenor
