// The reader of MP4/MOV boxes and the choice of how many bytes of a file
// the EXIF decoder gets, on any bytes: every read stays inside the file,
// the bytes handed on stay within the format's bound, and nothing crashes
// or loops. The EXIF decoder is a stand-in that only notes what it got.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "capture_time_reader.h"
#include "fuzz_check.h"
#include "iso_boxes.h"

namespace {

// The input as a file; checks that every read lies inside it.
class FuzzFile : public kalvenor::ByteSource {
 public:
  explicit FuzzFile(std::string_view bytes) : m_bytes(bytes) {}
  std::uint64_t Size() const override { return m_bytes.size(); }
  bool Read(std::uint64_t offset, std::size_t length, std::string& out) override {
    FUZZ_CHECK(offset <= m_bytes.size());
    ++reads;
    out.assign(m_bytes.substr(static_cast<std::size_t>(offset), length));
    return true;
  }
  int reads = 0;

 private:
  std::string_view m_bytes;
};

class NotingReader : public kalvenor::ExifReader {
 public:
  kalvenor::ExifDateTags ReadDateTags(std::string_view fileStart) override {
    given = fileStart.size();
    return {};
  }
  kalvenor::ExifDateTags ReadTiffDateTags(std::string_view tiff) override {
    given = tiff.size();
    return {};
  }
  std::size_t given = 0;
};

}  // namespace

// NOLINTNEXTLINE(readability-identifier-naming): the name libFuzzer calls
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FuzzFile file(bytes);
  const kalvenor::IsoKind kind = kalvenor::IsoKindOf(bytes);

  if (const auto time = kalvenor::ReadMovieCaptureTime(file)) {
    FUZZ_CHECK(time->ticks < 10000000);
    FUZZ_CHECK(time->seconds > -11644473600 && time->seconds < 253402300800);
  }
  const std::uint64_t limit = size / 2;
  FUZZ_CHECK(kalvenor::StillMetadataEnd(file, limit) <= limit);

  NotingReader exif;
  const std::string_view start = bytes.substr(0, kalvenor::kFirstReadSize);
  const auto time = kalvenor::ReadCaptureTime(file, start, exif);
  if (kind == kalvenor::IsoKind::Movie) {
    FUZZ_CHECK(exif.given == 0);  // films never go to the EXIF decoder
  } else {
    FUZZ_CHECK(exif.given <= size && !time);
  }
  // A walk reads each box header once at most: bounded by the boxes there can be.
  FUZZ_CHECK(file.reads <= 4 * (4096 + 16) + 64);
  return 0;
}
