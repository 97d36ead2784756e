#include "exiv2_exif_reader.h"

#include <exiv2/exiv2.hpp>

#include <cstdint>
#include <mutex>

namespace kalvenor {
namespace {

void PrepareLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    Exiv2::XmpParser::initialize();
    Exiv2::enableBMFF(true);
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  });
}

// The tags by number, in the main image's IFD or its Exif IFD (raw files
// of some makers keep DateTimeOriginal in IFD0); never in a thumbnail's
// or a maker note's.
void Collect(const Exiv2::ExifData& exif, ExifDateTags& tags) {
  for (const Exiv2::Exifdatum& datum : exif) {
    std::string* text = nullptr;
    switch (datum.tag()) {
      case 0x9003: text = &tags.dateTimeOriginal; break;
      case 0x9004: text = &tags.dateTimeDigitized; break;
      case 0x9291: text = &tags.subSecTimeOriginal; break;
      case 0x9292: text = &tags.subSecTimeDigitized; break;
      case 0x9011: text = &tags.offsetTimeOriginal; break;
      case 0x9012: text = &tags.offsetTimeDigitized; break;
      default: continue;
    }
    const std::string group = datum.groupName();
    if (group != "Photo" && group != "Image") continue;
    // The Exif IFD's value wins over IFD0's.
    if (text->empty() || group == "Photo") *text = datum.toString();
  }
}

}  // namespace

Exiv2ExifReader::Exiv2ExifReader() { PrepareLibrary(); }

ExifDateTags Exiv2ExifReader::ReadDateTags(std::string_view fileStart) {
  ExifDateTags tags;
  try {
    const Exiv2::Image::AutoPtr image =
        Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(fileStart.data()),
                                  static_cast<long>(fileStart.size()));
    if (image.get() == nullptr) return tags;
    // The bytes usually end inside the file: the library then stops with
    // an error after it has read the tags that lie before the end.
    try {
      image->readMetadata();
    } catch (const std::exception&) {
    }
    Collect(image->exifData(), tags);
  } catch (const std::exception&) {
    // Not a format the library knows, or too damaged to start reading.
  }
  return tags;
}

ExifDateTags Exiv2ExifReader::ReadTiffDateTags(std::string_view tiff) {
  ExifDateTags tags;
  Exiv2::ExifData exif;
  try {
    Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(tiff.data()),
                              static_cast<std::uint32_t>(tiff.size()));
  } catch (const std::exception&) {
    // What was decoded before the damage still counts.
  }
  Collect(exif, tags);
  return tags;
}

ExifReader& DefaultExifReader() {
  static Exiv2ExifReader reader;
  return reader;
}

}  // namespace kalvenor
