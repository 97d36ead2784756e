#include "iso_boxes.h"

#include <algorithm>
#include <array>

namespace kalvenor {
namespace {

// No file of these formats needs more boxes on one level than this; a
// file with more is damaged or hostile, and its walk stops.
constexpr int kMaxBoxesPerLevel = 4096;
// The most read of one metadata box (moov/meta, moov/udta).
constexpr std::size_t kMaxMetadataBox = 1 << 20;

constexpr std::uint32_t FourCc(const char (&text)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

std::uint64_t BigEndian(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// Bytes already in memory, as a source of boxes.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : m_bytes(bytes) {}
  std::uint64_t Size() const override { return m_bytes.size(); }
  bool Read(std::uint64_t offset, std::size_t length, std::string& out) override {
    if (offset >= m_bytes.size()) {
      out.clear();
    } else {
      out.assign(m_bytes.substr(static_cast<std::size_t>(offset), length));
    }
    return true;
  }

 private:
  std::string_view m_bytes;
};

struct Box {
  std::uint32_t type = 0;
  std::uint64_t content = 0;  // offset of the content, after the header
  std::uint64_t end = 0;      // offset after the box, never beyond its parent
};

// The box whose header starts at `at`, inside a parent ending at `parentEnd`.
// A box that claims more than its parent holds (a truncated file) is cut
// at the parent's end. nullopt when no whole header fits or it is invalid.
std::optional<Box> ReadBox(ByteSource& source, std::uint64_t at, std::uint64_t parentEnd) {
  if (at >= parentEnd || parentEnd - at < 8) return std::nullopt;
  std::string header;
  if (!source.Read(at, static_cast<std::size_t>(std::min<std::uint64_t>(16, parentEnd - at)),
                   header) ||
      header.size() < 8) {
    return std::nullopt;
  }
  Box box;
  std::uint64_t size = BigEndian(header, 0, 4);
  box.type = static_cast<std::uint32_t>(BigEndian(header, 4, 4));
  std::uint64_t headerSize = 8;
  if (size == 1) {
    if (header.size() < 16) return std::nullopt;
    size = BigEndian(header, 8, 8);
    headerSize = 16;
  } else if (size == 0) {
    size = parentEnd - at;
  }
  if (size < headerSize) return std::nullopt;
  box.content = at + headerSize;
  box.end = size > parentEnd - at ? parentEnd : at + size;
  return box;
}

// Calls `visit(box)` for each box from `at` to `end`, in order, until it
// returns false or the boxes run out.
template <typename Visit>
void ForEachBox(ByteSource& source, std::uint64_t at, std::uint64_t end, Visit visit) {
  for (int count = 0; count < kMaxBoxesPerLevel; ++count) {
    const std::optional<Box> box = ReadBox(source, at, end);
    if (!box || !visit(*box)) return;
    at = box->end;
  }
}

std::string ReadContent(ByteSource& source, const Box& box, std::size_t limit) {
  std::string bytes;
  if (!source.Read(box.content,
                   static_cast<std::size_t>(std::min<std::uint64_t>(box.end - box.content, limit)),
                   bytes)) {
    bytes.clear();
  }
  return bytes;
}

// A QuickTime metadata box (moov/meta) has its children right after its
// header; an ISO one (udta/meta, HEIF's meta) has four bytes of version
// and flags first. The first child is always the handler box (hdlr).
std::uint64_t MetaChildren(std::string_view content) {
  if (content.size() >= 8 && BigEndian(content, 4, 4) == FourCc("hdlr")) return 0;
  return 4;
}

// The com.apple.quicktime.creationdate of a metadata box's content (its
// keys box names the key, its ilst box holds the value under the key's
// 1-based number).
std::optional<CaptureTime> CreationDateOfMeta(std::string_view content) {
  MemorySource meta(content);
  std::string keys, items;
  ForEachBox(meta, MetaChildren(content), content.size(), [&](const Box& box) {
    if (box.type == FourCc("keys")) keys = ReadContent(meta, box, kMaxMetadataBox);
    if (box.type == FourCc("ilst")) items = ReadContent(meta, box, kMaxMetadataBox);
    return true;
  });
  if (keys.size() < 8) return std::nullopt;
  constexpr std::string_view kCreationDate = "com.apple.quicktime.creationdate";
  std::uint64_t wanted = 0;
  const std::uint64_t count = BigEndian(keys, 4, 4);
  std::size_t at = 8;
  for (std::uint64_t number = 1; number <= count && at + 8 <= keys.size(); ++number) {
    const std::uint64_t size = BigEndian(keys, at, 4);
    if (size < 8 || size > keys.size() - at) break;
    if (std::string_view(keys).substr(at + 8, size - 8) == kCreationDate) {
      wanted = number;
      break;
    }
    at += size;
  }
  if (wanted == 0) return std::nullopt;
  MemorySource list(items);
  std::optional<CaptureTime> found;
  ForEachBox(list, 0, items.size(), [&](const Box& item) {
    if (item.type != wanted) return true;
    const std::string value = ReadContent(list, item, kMaxMetadataBox);
    MemorySource data(value);
    ForEachBox(data, 0, value.size(), [&](const Box& box) {
      // A data box: a type (1: UTF-8 text) and a locale, then the text.
      if (box.type != FourCc("data") || box.end - box.content < 8) return true;
      const std::string text = ReadContent(data, box, kMaxMetadataBox);
      if (BigEndian(text, 0, 4) == 1) {
        found =
            ParseIsoDateTime(std::string_view(text).substr(8), TimeSource::QuickTimeCreationDate);
      }
      return !found;
    });
    return !found;
  });
  return found;
}

// The creation time of a movie header box.
std::optional<CaptureTime> MovieHeaderOf(ByteSource& file, const Box& box) {
  const std::string content = ReadContent(file, box, 32);
  if (content.size() < 8) return std::nullopt;
  if (content[0] == 1) {  // version 1: 64-bit times
    if (content.size() < 12) return std::nullopt;
    return MovieHeaderTime(BigEndian(content, 4, 8));
  }
  return MovieHeaderTime(BigEndian(content, 4, 4));
}

// The first top-level box of `type`.
std::optional<Box> TopLevelBox(ByteSource& file, std::uint32_t type) {
  std::optional<Box> found;
  ForEachBox(file, 0, file.Size(), [&](const Box& box) {
    if (box.type == type) found = box;
    return !found;
  });
  return found;
}

// Where HEIF's meta box puts the data of its item of type Exif, as offsets
// in the file; nullopt when it cannot be told or lies inside the meta box.
std::optional<ByteRange> ExifItemRange(std::string_view meta) {
  MemorySource source(meta);
  std::string infos, locations;
  ForEachBox(source, 4, meta.size(), [&](const Box& box) {
    if (box.type == FourCc("iinf")) infos = ReadContent(source, box, kMaxMetadataBox);
    if (box.type == FourCc("iloc")) locations = ReadContent(source, box, kMaxMetadataBox);
    return true;
  });
  // The item infos: version and flags, a count, then one infe box each.
  if (infos.size() < 6) return std::nullopt;
  const std::size_t first = infos[0] == 0 ? 6 : 8;
  std::uint64_t exifId = 0;
  bool haveExif = false;
  MemorySource entries(infos);
  ForEachBox(entries, first, infos.size(), [&](const Box& box) {
    if (box.type != FourCc("infe")) return true;
    const std::string infe = ReadContent(entries, box, 64);
    if (infe.size() < 4 || (infe[0] != 2 && infe[0] != 3)) return true;
    const std::size_t idSize = infe[0] == 2 ? 2 : 4;
    if (infe.size() < 4 + idSize + 2 + 4) return true;
    if (BigEndian(infe, 4 + idSize + 2, 4) == FourCc("Exif")) {
      exifId = BigEndian(infe, 4, idSize);
      haveExif = true;
    }
    return !haveExif;
  });
  if (!haveExif || locations.size() < 8) return std::nullopt;
  // The item locations (ISO/IEC 14496-12, 8.11.3).
  const std::string_view iloc = locations;
  const int version = static_cast<unsigned char>(iloc[0]);
  if (version > 2) return std::nullopt;
  const std::size_t offsetSize = static_cast<unsigned char>(iloc[4]) >> 4;
  const std::size_t lengthSize = static_cast<unsigned char>(iloc[4]) & 15;
  const std::size_t baseSize = static_cast<unsigned char>(iloc[5]) >> 4;
  const std::size_t indexSize = version == 0 ? 0 : static_cast<unsigned char>(iloc[5]) & 15;
  const auto valid = [](std::size_t size) { return size == 0 || size == 4 || size == 8; };
  if (!valid(offsetSize) || !valid(lengthSize) || !valid(baseSize) || !valid(indexSize))
    return std::nullopt;
  std::size_t at = 6;
  const std::size_t countSize = version < 2 ? 2 : 4;
  const std::size_t idSize = version < 2 ? 2 : 4;
  if (at + countSize > iloc.size()) return std::nullopt;
  const std::uint64_t items = BigEndian(iloc, at, countSize);
  at += countSize;
  for (std::uint64_t item = 0; item < items; ++item) {
    if (at + idSize > iloc.size()) return std::nullopt;
    const std::uint64_t id = BigEndian(iloc, at, idSize);
    at += idSize;
    std::uint64_t method = 0;
    if (version > 0) {
      if (at + 2 > iloc.size()) return std::nullopt;
      method = BigEndian(iloc, at, 2) & 15;
      at += 2;
    }
    if (at + 2 + baseSize + 2 > iloc.size()) return std::nullopt;
    at += 2;  // data reference index
    const std::uint64_t base = BigEndian(iloc, at, baseSize);
    at += baseSize;
    const std::uint64_t extents = BigEndian(iloc, at, 2);
    at += 2;
    std::uint64_t begin = ~std::uint64_t{0}, end = 0;
    for (std::uint64_t e = 0; e < extents; ++e) {
      if (at + indexSize + offsetSize + lengthSize > iloc.size()) return std::nullopt;
      at += indexSize;
      const std::uint64_t offset = BigEndian(iloc, at, offsetSize);
      at += offsetSize;
      const std::uint64_t length = BigEndian(iloc, at, lengthSize);
      at += lengthSize;
      // Offsets and lengths of up to 64 bits: sums that overflow are damage.
      if (base + offset < base || base + offset + length < base + offset) return std::nullopt;
      begin = std::min(begin, base + offset);
      end = std::max(end, base + offset + length);
    }
    // Only data in the file itself (method 0), in one piece, is found here.
    if (id == exifId) {
      if (method != 0 || extents == 0) return std::nullopt;
      return ByteRange{begin, end};
    }
  }
  return std::nullopt;
}

}  // namespace

IsoKind IsoKindOf(std::string_view start) {
  if (start.size() < 12 || BigEndian(start, 4, 4) != FourCc("ftyp")) return IsoKind::None;
  // The major brand, then (after the minor version) the compatible ones.
  constexpr std::array<std::uint32_t, 11> kStills = {FourCc("heic"), FourCc("heix"), FourCc("heim"),
                                                     FourCc("heis"), FourCc("hevc"), FourCc("mif1"),
                                                     FourCc("msf1"), FourCc("avif"), FourCc("avis"),
                                                     FourCc("crx "), FourCc("heif")};
  const std::uint64_t size = std::min<std::uint64_t>(BigEndian(start, 0, 4), start.size());
  for (std::uint64_t at = 8; at + 4 <= size; at += at == 8 ? 8 : 4) {
    const std::uint64_t brand = BigEndian(start, static_cast<std::size_t>(at), 4);
    if (std::find(kStills.begin(), kStills.end(), brand) != kStills.end()) return IsoKind::Still;
  }
  return IsoKind::Movie;
}

std::optional<CaptureTime> ReadMovieCaptureTime(ByteSource& file) {
  const std::optional<Box> moov = TopLevelBox(file, FourCc("moov"));
  if (!moov) return std::nullopt;
  std::optional<CaptureTime> creation, header;
  ForEachBox(file, moov->content, moov->end, [&](const Box& box) {
    if (box.type == FourCc("mvhd") && !header) {
      header = MovieHeaderOf(file, box);
    } else if (box.type == FourCc("meta") && !creation) {
      creation = CreationDateOfMeta(ReadContent(file, box, kMaxMetadataBox));
    } else if (box.type == FourCc("udta") && !creation) {
      const std::string udta = ReadContent(file, box, kMaxMetadataBox);
      MemorySource user(udta);
      ForEachBox(user, 0, udta.size(), [&](const Box& child) {
        if (child.type == FourCc("meta")) {
          creation = CreationDateOfMeta(ReadContent(user, child, kMaxMetadataBox));
        }
        return !creation;
      });
    }
    return true;
  });
  return creation ? creation : header;
}

std::uint64_t StillMetadataEnd(ByteSource& file, std::uint64_t limit) {
  std::uint64_t end = 0;
  ForEachBox(file, 0, file.Size(), [&](const Box& box) {
    if (box.type == FourCc("moov")) {
      end = box.end;
      return false;
    }
    if (box.type == FourCc("meta")) {
      end = box.end;
      if (box.end - box.content <= kMaxMetadataBox) {
        const auto exif = ExifItemRange(ReadContent(file, box, kMaxMetadataBox));
        if (exif && exif->end <= limit) end = std::max(end, exif->end);
      }
      return false;
    }
    return true;
  });
  return std::min(end, limit);
}

std::optional<ByteRange> StillExifRange(ByteSource& file) {
  std::optional<ByteRange> found;
  ForEachBox(file, 0, file.Size(), [&](const Box& box) {
    if (box.type == FourCc("meta")) {
      // HEIF, AVIF: the Exif item.
      if (box.end - box.content <= kMaxMetadataBox) {
        found = ExifItemRange(ReadContent(file, box, kMaxMetadataBox));
      }
      return false;
    }
    if (box.type == FourCc("moov")) {
      // CR3: the box CMT2 (the Exif IFD as a TIFF structure) inside
      // Canon's uuid box.
      constexpr std::string_view kCanon(
          "\x85\xc0\xb6\x87\x82\x0f\x11\xe0\x81\x11\xf4\xce\x46\x2b\x6a\x48", 16);
      ForEachBox(file, box.content, box.end, [&](const Box& child) {
        if (child.type != FourCc("uuid") || child.end - child.content < 16) return true;
        std::string uuid;
        if (!file.Read(child.content, 16, uuid) || uuid != kCanon) return true;
        ForEachBox(file, child.content + 16, child.end, [&](const Box& part) {
          if (part.type == FourCc("CMT2")) found = ByteRange{part.content, part.end};
          return !found;
        });
        return false;
      });
      return false;
    }
    return true;
  });
  if (found && (found->begin >= found->end || found->end > file.Size())) return std::nullopt;
  return found;
}

}  // namespace kalvenor
