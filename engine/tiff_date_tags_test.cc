#include "tiff_date_tags.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "exiv2_exif_reader.h"
#include "photo_test_support.h"

namespace kalvenor {
namespace {

using Outcome = TiffDateScan::Outcome;
using testing::ExifTags;

std::string Show(const ExifDateTags& tags) {
  return "[" + tags.dateTimeOriginal + "|" + tags.subSecTimeOriginal + "|" +
         tags.offsetTimeOriginal + "|" + tags.dateTimeDigitized + "|" + tags.subSecTimeDigitized +
         "|" + tags.offsetTimeDigitized + "]";
}

const ExifTags kCameraTags = {{"Exif.Image.Make", "Kalvenor Test"},
                              {"Exif.Image.DateTime", "2024:06:30 18:00:00"},
                              {"Exif.Photo.ExposureTime", "1/250"},
                              {"Exif.Photo.DateTimeOriginal", "2024:05:01 10:00:00"},
                              {"Exif.Photo.SubSecTimeOriginal", "042"},
                              {"Exif.Photo.OffsetTimeOriginal", "+02:00"},
                              {"Exif.Photo.DateTimeDigitized", "2024:05:01 10:00:05"},
                              {"Exif.Photo.SubSecTimeDigitized", "7"},
                              {"Exif.Photo.OffsetTimeDigitized", "-05:30"}};

// The TIFF structures in the EXIF segments of the real camera samples.
std::vector<std::string> CameraSampleTiffs() {
  std::vector<std::string> tiffs;
  for (const auto& file : std::filesystem::directory_iterator(KALVENOR_CAMERA_SAMPLES)) {
    if (file.path().extension() != ".jpg") continue;
    std::ifstream in(file.path(), std::ios::binary);
    const std::string jpeg{std::istreambuf_iterator<char>(in), {}};
    // The segment's length stands just before its "Exif\0\0" header.
    const std::size_t exif = jpeg.find(std::string("Exif\0\0", 6));
    const std::size_t length = static_cast<unsigned char>(jpeg.at(exif - 2)) << 8 |
                               static_cast<unsigned char>(jpeg.at(exif - 1));
    tiffs.push_back(jpeg.substr(exif + 6, length - 8));
  }
  return tiffs;
}

// The tags' entry in a little-endian TIFF made by libexiv2: its type field.
std::size_t TypeFieldOf(const std::string& tiff, char low, char high) {
  return tiff.find(std::string{low, high, '\x02', '\0'}) + 2;
}

TEST(TiffDateTagsTest, PlainStructuresAreReadAndOthersLeftToTheDecoder) {
  std::string digitizedAsBytes = testing::ExifTiff(kCameraTags);
  digitizedAsBytes[TypeFieldOf(digitizedAsBytes, '\x04', '\x90')] = 7;  // UNDEFINED
  const std::string plain = testing::ExifTiff(kCameraTags);
  std::string manyEntries = plain;
  manyEntries[8] = 1;  // IFD0 of 257 entries
  manyEntries[9] = 1;
  const ExifDateTags all = {"2024:05:01 10:00:00", "042", "+02:00",
                            "2024:05:01 10:00:05", "7",   "-05:30"};
  struct Case {
    const char* what;
    std::string tiff;
    Outcome outcome;
    ExifDateTags tags;
  } cases[] = {
      {"little-endian", plain, Outcome::Found, all},
      {"big-endian", testing::ExifTiff(kCameraTags, true), Outcome::Found, all},
      {"in IFD0, and the Exif IFD's wins",
       testing::ExifTiff({{"Exif.Image.DateTimeOriginal", "2001:01:01 00:00:00"},
                          {"Exif.Image.0x9004", "2002:02:02 00:00:00"},
                          {"Exif.Photo.DateTimeOriginal", "2024:05:01 10:00:00"}}),
       Outcome::Found,
       {"2024:05:01 10:00:00", "", "", "2002:02:02 00:00:00", "", ""}},
      {"last edit only",
       testing::ExifTiff({{"Exif.Image.DateTime", "2024:06:30 18:00:00"}}),
       Outcome::Found,
       {}},
      {"cut inside the Exif IFD",
       plain.substr(0, plain.find("2024:05:01 10:00:00")),
       Outcome::Beyond,
       {}},
      {"cut in the header", plain.substr(0, 7), Outcome::Beyond, {}},
      {"a date of another type", digitizedAsBytes, Outcome::Undecided, {}},
      {"too many entries", manyEntries, Outcome::Undecided, {}},
      {"not TIFF", "JFIF and more bytes", Outcome::Undecided, {}},
  };
  Exiv2ExifReader decoder;
  for (const Case& c : cases) {
    const TiffDateScan scan = ScanTiffDateTags(c.tiff);
    EXPECT_EQ(scan.outcome, c.outcome) << c.what;
    if (scan.outcome != Outcome::Found) continue;
    EXPECT_EQ(scan.tags, c.tags) << c.what << ": " << Show(scan.tags);
    EXPECT_EQ(scan.tags, decoder.ReadTiffDateTags(c.tiff)) << c.what;
  }
}

// On real cameras' EXIF and on libexiv2's, whole and damaged at random:
// the whole ones are always read here, and whatever is read here is what
// the library itself reads from the same bytes.
TEST(TiffDateTagsTest, WhatIsFoundIsWhatTheLibraryFinds) {
  std::vector<std::string> tiffs = CameraSampleTiffs();
  ASSERT_GE(tiffs.size(), 6u);
  tiffs.push_back(testing::ExifTiff(kCameraTags));
  tiffs.push_back(testing::ExifTiff(kCameraTags, true));
  Exiv2ExifReader decoder;
  std::mt19937 random(20261209);
  int found = 0, left = 0;
  for (const std::string& intact : tiffs) {
    const TiffDateScan whole = ScanTiffDateTags(intact);
    EXPECT_EQ(whole.outcome, Outcome::Found);
    EXPECT_EQ(whole.tags, decoder.ReadTiffDateTags(intact)) << Show(whole.tags);
    for (int round = 0; round < 200; ++round) {
      std::string bytes = intact;
      // Damage where the IFDs and the dates lie, near the start.
      const std::size_t span = std::min<std::size_t>(bytes.size(), 1024);
      for (auto flips = 1 + random() % 4; flips > 0; --flips) {
        bytes[random() % span] = static_cast<char>(random());
      }
      if (round % 3 == 0) bytes.resize(random() % bytes.size());
      const TiffDateScan scan = ScanTiffDateTags(bytes);
      if (scan.outcome != Outcome::Found) {
        ++left;
        continue;
      }
      ++found;
      EXPECT_EQ(scan.tags, decoder.ReadTiffDateTags(bytes))
          << Show(scan.tags) << " " << Show(decoder.ReadTiffDateTags(bytes));
    }
  }
  EXPECT_GT(found, 0);
  EXPECT_GT(left, 0);
}

}  // namespace
}  // namespace kalvenor
