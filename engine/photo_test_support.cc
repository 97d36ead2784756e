#include "photo_test_support.h"

#include <exiv2/exiv2.hpp>

#include <stdexcept>

namespace kalvenor::testing {
namespace {

// An 8x8 grey JPEG: SOI, JFIF, quantisation and Huffman tables, one scan.
constexpr unsigned char kTinyJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x10, 0x0b, 0x0c, 0x0e, 0x0c, 0x0a, 0x10,
    0x0e, 0x0d, 0x0e, 0x12, 0x11, 0x10, 0x13, 0x18, 0x28, 0x1a, 0x18, 0x16, 0x16, 0x18, 0x31, 0x23,
    0x25, 0x1d, 0x28, 0x3a, 0x33, 0x3d, 0x3c, 0x39, 0x33, 0x38, 0x37, 0x40, 0x48, 0x5c, 0x4e, 0x40,
    0x44, 0x57, 0x45, 0x37, 0x38, 0x50, 0x6d, 0x51, 0x57, 0x5f, 0x62, 0x67, 0x68, 0x67, 0x3e, 0x4d,
    0x71, 0x79, 0x70, 0x64, 0x78, 0x5c, 0x65, 0x67, 0x63, 0xff, 0xc0, 0x00, 0x0b, 0x08, 0x00, 0x08,
    0x00, 0x08, 0x01, 0x01, 0x11, 0x00, 0xff, 0xc4, 0x00, 0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0xff, 0xc4, 0x00, 0x14,
    0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xff, 0xda, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3f, 0x00, 0x1f, 0xff, 0xd9};
constexpr std::size_t kJfifEnd = 20;  // after SOI and the JFIF segment

std::string BigEndian(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>(value >> (8 * i) & 0xff));
  return out;
}

std::string Box(const std::string& type, const std::string& content) {
  return BigEndian(content.size() + 8, 4) + type + content;
}

// A full box: version and flags before the content.
std::string FullBox(const std::string& type, int version, const std::string& content) {
  return Box(type, BigEndian(static_cast<std::uint64_t>(version) << 24, 4) + content);
}

// A QuickTime metadata box holding one key and its text value.
std::string MetaWithCreationDate(const std::string& date, bool iso) {
  const std::string key = "com.apple.quicktime.creationdate";
  const std::string handler =
      FullBox("hdlr", 0, std::string(4, '\0') + "mdta" + std::string(13, '\0'));
  const std::string keys =
      FullBox("keys", 0, BigEndian(1, 4) + BigEndian(key.size() + 8, 4) + "mdta" + key);
  const std::string data = Box("data", BigEndian(1, 4) + BigEndian(0, 4) + date);
  const std::string items = Box("ilst", BigEndian(data.size() + 8, 4) + BigEndian(1, 4) + data);
  const std::string children = handler + keys + items;
  return iso ? FullBox("meta", 0, children) : Box("meta", children);
}

}  // namespace

std::string ExifTiff(const ExifTags& tags, bool bigEndian) {
  Exiv2::ExifData exif;
  for (const auto& [key, value] : tags) exif[key] = value;
  Exiv2::Blob blob;
  Exiv2::ExifParser::encode(blob, bigEndian ? Exiv2::bigEndian : Exiv2::littleEndian, exif);
  if (blob.empty()) throw std::runtime_error("libexiv2 encoded no EXIF");
  return std::string(blob.begin(), blob.end());
}

std::string JpegWithExif(const ExifTags& tags) {
  const auto* tiny = reinterpret_cast<const char*>(kTinyJpeg);
  std::string jpeg(tiny, kJfifEnd);
  if (!tags.empty()) {
    const std::string payload = std::string("Exif\0\0", 6) + ExifTiff(tags);
    jpeg += "\xff\xe1" + BigEndian(payload.size() + 2, 2) + payload;
  }
  jpeg.append(tiny + kJfifEnd, sizeof kTinyJpeg - kJfifEnd);
  return jpeg;
}

std::string HeifWithExif(const ExifTags& tags, std::size_t imageBytes) {
  const std::string ftyp = Box("ftyp", "heic" + BigEndian(0, 4) + "mif1heic");
  // The Exif item: the offset of the TIFF header after this field, then
  // "Exif\0\0" and the TIFF structure.
  const std::string item = BigEndian(6, 4) + std::string("Exif\0\0", 6) + ExifTiff(tags);
  const std::string handler =
      FullBox("hdlr", 0, std::string(4, '\0') + "pict" + std::string(13, '\0'));
  const std::string infos = FullBox(
      "iinf", 0,
      BigEndian(1, 2) +
          FullBox("infe", 2, BigEndian(1, 2) + BigEndian(0, 2) + "Exif" + std::string(1, '\0')));
  // The meta box's size does not depend on the item's offset (4 bytes
  // always), so it is built once to learn its size, then with the offset.
  const auto meta = [&](std::uint64_t itemOffset) {
    const std::string locations =
        FullBox("iloc", 0,
                std::string("\x44\x00", 2) + BigEndian(1, 2) + BigEndian(1, 2) + BigEndian(0, 2) +
                    BigEndian(1, 2) + BigEndian(itemOffset, 4) + BigEndian(item.size(), 4));
    return FullBox("meta", 0, handler + infos + locations);
  };
  const std::size_t mdatStart = ftyp.size() + meta(0).size();
  const std::string media = std::string(imageBytes, '\x5a') + item;
  return ftyp + meta(mdatStart + 8 + imageBytes) + Box("mdat", media);
}

std::string Cr3WithExif(const ExifTags& imageTags, const ExifTags& exifTags,
                        std::size_t imageBytes) {
  const std::string ftyp = Box("ftyp", "crx " + BigEndian(1, 4) + "crx isom");
  const std::string canon("\x85\xc0\xb6\x87\x82\x0f\x11\xe0\x81\x11\xf4\xce\x46\x2b\x6a\x48", 16);
  const std::string uuid =
      Box("uuid", canon + Box("CNCV", "CanonCR3_001/00.09.00/00.00.00") +
                      Box("CMT1", ExifTiff(imageTags)) + Box("CMT2", ExifTiff(exifTags)));
  const std::string movie = Box("moov", uuid + Box("trak", Box("tkhd", std::string(84, '\0'))));
  return ftyp + movie + Box("mdat", std::string(imageBytes, '\0'));
}

std::string Movie(const MovieBoxes& boxes) {
  const std::string ftyp = Box("ftyp", boxes.brand + BigEndian(0, 4) + boxes.brand + "isom");
  std::string header;
  if (boxes.headerVersion1) {
    header = FullBox("mvhd", 1,
                     BigEndian(boxes.headerTime, 8) + BigEndian(boxes.headerTime, 8) +
                         BigEndian(600, 4) + BigEndian(6000, 8) + std::string(80, '\0'));
  } else {
    header = FullBox("mvhd", 0,
                     BigEndian(boxes.headerTime, 4) + BigEndian(boxes.headerTime, 4) +
                         BigEndian(600, 4) + BigEndian(6000, 4) + std::string(80, '\0'));
  }
  // A track box that the reader has to step over.
  std::string movie = header + Box("trak", Box("tkhd", std::string(84, '\0')));
  if (!boxes.creationDate.empty()) {
    if (boxes.creationDateInUserData) {
      movie += Box("udta", MetaWithCreationDate(boxes.creationDate, true));
    } else {
      movie += MetaWithCreationDate(boxes.creationDate, false);
    }
  }
  const std::string moov = Box("moov", movie);
  const std::string mdat = Box("mdat", std::string(boxes.mediaBytes, '\0'));
  return boxes.moovLast ? ftyp + mdat + moov : ftyp + moov + mdat;
}

}  // namespace kalvenor::testing
