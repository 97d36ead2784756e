// The cost of the "Date Taken" order: a preview of 9,999 photos and films
// against the floor of opening each file and reading its first 64 KiB in
// one thread, measured in the same run on the same warm folder; then, with
// every open and read of a photo slowed as on a network share, the preview
// (which reads on several threads) against the same reads one after
// another. Reported, never asserted:
//   cmake --build <build> --target kalvenor_photos_bench
//   <build>/bench/kalvenor_photos_bench [FOLDER-PARENT]
// The folder: 8,500 JPEGs (3 MB each) and 1,000 TIFF-based raw files (20
// MB) with a real camera's EXIF (engine/testdata/camera's Canon EOS photo:
// 38 Exif tags, a 7.6 KB maker note and a 14 KB thumbnail, dates changed
// per file), half of the JPEGs with the thumbnail grown so that their EXIF
// segment is 60 KB; and 499 MP4 films (20 MB, the moov box after the media
// data). What follows the metadata is a hole of the file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "capture_time_reader.h"
#include "exiv2_exif_reader.h"
#include "photo_test_support.h"
#include "presort.h"
#include "rename_run.h"
#include "test_support.h"

namespace {

using namespace kalvenor;
using Clock = std::chrono::steady_clock;

constexpr int kJpegs = 8500;
constexpr int kRaws = 1000;
constexpr int kFilms = 499;
constexpr int kSlowedFiles = 999;
constexpr int kRepeats = 5;
constexpr auto kReadDelay = std::chrono::milliseconds(1);

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string ReadSample(const char* name) {
  std::ifstream in(std::string(KALVENOR_CAMERA_SAMPLES) + "/" + name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The real camera photo whose EXIF the JPEGs and raw files carry: its
// EXIF segment (APP1) as a TIFF structure, ending in its thumbnail.
struct CameraExif {
  std::string beforeTiff;  // the JPEG up to the TIFF structure
  std::string tiff;
  std::string afterTiff;  // the JPEG's further segments
  std::string date;       // as written, the three times it stands in the TIFF
};

CameraExif LoadCameraExif() {
  const std::string jpeg = ReadSample("2012-12-21-11-15-19-sep-IMG_0001.jpg");
  CameraExif exif;
  const std::size_t at = jpeg.find(std::string("Exif\0\0", 6)) + 6;
  const std::size_t length =
      static_cast<unsigned char>(jpeg[at - 8]) << 8 | static_cast<unsigned char>(jpeg[at - 7]);
  exif.beforeTiff = jpeg.substr(0, at);
  exif.tiff = jpeg.substr(at, length - 8);
  exif.afterTiff = jpeg.substr(at + length - 8);
  exif.date = "2012:12:21 11:15:19";
  return exif;
}

// The TIFF structure with `date` for the sample's date and `grow` more
// bytes of thumbnail, which lies at its end (its length is the value of
// IFD1's tag 0x0202, a little-endian LONG).
std::string CameraTiff(const CameraExif& exif, const std::string& date, std::size_t grow) {
  std::string tiff = exif.tiff;
  for (std::size_t at = tiff.find(exif.date); at != std::string::npos;
       at = tiff.find(exif.date, at)) {
    tiff.replace(at, date.size(), date);
  }
  if (grow > 0) {
    const std::size_t entry = tiff.rfind(std::string("\x02\x02\x04\0\x01\0\0\0", 8));
    std::uint32_t length = 0;
    for (int b = 3; b >= 0; --b)
      length = length << 8 | static_cast<unsigned char>(tiff[entry + 8 + b]);
    length += static_cast<std::uint32_t>(grow);
    for (int b = 0; b < 4; ++b) tiff[entry + 8 + b] = static_cast<char>(length >> (8 * b));
    tiff.append(grow, '\x55');
  }
  return tiff;
}

std::string CameraJpeg(const CameraExif& exif, const std::string& tiff) {
  std::string jpeg = exif.beforeTiff + tiff + exif.afterTiff;
  const std::size_t length = tiff.size() + 8;
  jpeg[exif.beforeTiff.size() - 8] = static_cast<char>(length >> 8);
  jpeg[exif.beforeTiff.size() - 7] = static_cast<char>(length & 0xff);
  return jpeg;
}

// Writes `head` at the file's start and `tail` from `tailAt` on, the file
// `size` long: what lies between is a hole.
void Write(const std::string& path, const std::string& head, off_t size,
           const std::string& tail = "", off_t tailAt = 0) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || ::pwrite(fd, head.data(), head.size(), 0) != static_cast<ssize_t>(head.size()) ||
      ::pwrite(fd, tail.data(), tail.size(), tailAt) != static_cast<ssize_t>(tail.size()) ||
      ::ftruncate(fd, std::max<off_t>(size, tailAt + static_cast<off_t>(tail.size()))) != 0) {
    std::perror(path.c_str());
  }
  if (fd >= 0) ::close(fd);
}

// Makes the photos; gives their names.
std::vector<std::string> MakePhotos(const std::string& folder, int jpegs, int raws, int films) {
  std::mt19937 random(20261209);
  const CameraExif exif = LoadCameraExif();
  std::vector<std::string> names;
  const auto taken = [&] {
    char text[32];
    std::snprintf(text, sizeof text, "2024:%02d:%02d %02d:%02d:%02d",
                  static_cast<int>(1 + random() % 12), static_cast<int>(1 + random() % 28),
                  static_cast<int>(random() % 24), static_cast<int>(random() % 60),
                  static_cast<int>(random() % 60));
    return std::string(text);
  };
  for (int i = 0; i < jpegs + raws + films; ++i) {
    char name[32];
    if (i < jpegs) {
      std::snprintf(name, sizeof name, "DSC%05d.JPG", (i * 7919) % 100000);
      const std::size_t grow = i % 2 == 0 ? 0 : 60000 - exif.tiff.size();
      Write(folder + "/" + name, CameraJpeg(exif, CameraTiff(exif, taken(), grow)), 3 << 20);
    } else if (i < jpegs + raws) {
      std::snprintf(name, sizeof name, "DSC%05d.CR2", (i * 7919) % 100000);
      Write(folder + "/" + name, CameraTiff(exif, taken(), 0), 20 << 20);
    } else {
      std::snprintf(name, sizeof name, "MOV%05d.MP4", (i * 7919) % 100000);
      testing::MovieBoxes film;
      film.brand = "mp42";
      film.headerTime = 3797000000u + random() % 30000000;
      film.moovLast = true;
      film.mediaBytes = 0;
      const std::string bytes = testing::Movie(film);
      // The media data, 20 MB, is a hole: its box size is patched in.
      constexpr std::uint32_t kMedia = 20 << 20;
      std::string head = bytes.substr(0, bytes.find("mdat") + 4);
      for (int b = 0; b < 4; ++b)
        head[head.size() - 8 + b] = static_cast<char>(kMedia >> (24 - 8 * b));
      const std::string tail = bytes.substr(head.size());
      Write(folder + "/" + name, head, 0, tail, static_cast<off_t>(head.size() - 8 + kMedia));
    }
    names.emplace_back(name);
  }
  return names;
}

// The floor: open each file and read its first 64 KiB, one thread.
double Floor(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<char> buffer(std::size_t{64} << 10);
  const auto start = Clock::now();
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (const std::string& name : names) {
    const int fd = ::openat(dir, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::pread(fd, buffer.data(), buffer.size(), 0) < 0) std::perror(name.c_str());
    ::close(fd);
  }
  ::close(dir);
  return Since(start);
}

struct Preview {
  double seconds = 0;
  std::size_t lines = 0;
  std::string untimedLine;
};

Preview RunPreview(FileSystem& fs, const std::string& folder, int sortType) {
  testing::RunBench run(fs);
  run.options.folder = folder;
  run.options.baseName = "Holiday";
  run.options.sortType = sortType;
  const auto start = Clock::now();
  run.Run(false);
  Preview preview{Since(start), run.results.lines.size(), ""};
  if (sortType == kSortByTaken && run.results.lines.size() >= 2) {
    preview.untimedLine = run.results.lines[run.results.lines.size() - 2];
  }
  for (const auto& [text, icon] : run.messages.shown)
    std::fprintf(stderr, "message: %s\n", text.c_str());
  return preview;
}

// The same reads as the preview's, one file after another on this thread.
double SerialReads(FileSystem& fs, const std::string& folder,
                   const std::vector<std::string>& names) {
  ExifReader& exif = DefaultExifReader();
  const auto start = Clock::now();
  const FolderHandle held = testing::OpenHeld(fs, folder);
  int timed = 0;
  std::string buffer;
  for (const std::string& name : names) {
    HeldFileBytes file(fs, held, name, buffer);
    const auto bytes = file.ReadStart();
    if (bytes && ReadCaptureTime(file, *bytes, exif)) ++timed;
  }
  const double seconds = Since(start);
  if (timed != static_cast<int>(names.size())) std::fprintf(stderr, "serial: %d timed\n", timed);
  return seconds;
}

// Every open and read of a photo waits kReadDelay first.
class SlowReads : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  ReadHandle OpenForReading(const FolderHandle& folder, const std::string& name,
                            std::uint64_t* size) override {
    std::this_thread::sleep_for(kReadDelay);
    return FileSystemWrapper::OpenForReading(folder, name, size);
  }
  bool ReadAt(const ReadHandle& file, std::uint64_t offset, std::size_t length,
              std::string& out) override {
    std::this_thread::sleep_for(kReadDelay);
    return FileSystemWrapper::ReadAt(file, offset, length, out);
  }
};

void Row(const char* what, double seconds, double base, const char* against) {
  std::printf("| %-46s | %9.1f | %6.2f x %-16s |\n", what, seconds * 1e3, seconds / base, against);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string parent = argc > 1 ? argv[1] : "/tmp";
  const testing::TempDir temp("kalvenor-photos-bench-", parent);
  const std::string folder = temp.Join("card"), slowFolder = temp.Join("share");
  ::mkdir(folder.c_str(), 0755);
  ::mkdir(slowFolder.c_str(), 0755);
  std::printf("making %d JPEGs, %d raw files and %d films in %s ...\n", kJpegs, kRaws, kFilms,
              parent.c_str());
  const std::vector<std::string> names = MakePhotos(folder, kJpegs, kRaws, kFilms);
  const std::vector<std::string> slowNames =
      MakePhotos(slowFolder, kSlowedFiles * kJpegs / 9999, kSlowedFiles * kRaws / 9999,
                 kSlowedFiles - kSlowedFiles * kJpegs / 9999 - kSlowedFiles * kRaws / 9999);

  PosixFileSystem fs;
  Floor(folder, names);  // warm the caches once
  RunPreview(fs, folder, kSortByTaken);
  std::vector<double> floor, taken, serial, byName;
  Preview last;
  for (int r = 0; r < kRepeats; ++r) {
    floor.push_back(Floor(folder, names));
    last = RunPreview(fs, folder, kSortByTaken);
    taken.push_back(last.seconds);
    serial.push_back(SerialReads(fs, folder, names));
    byName.push_back(RunPreview(fs, folder, kSortByName).seconds);
  }
  const double f = bench::Median(floor);
  std::printf("\n%zu files, warm cache, median of %d, %u hardware threads; %zu Results lines\n",
              names.size(), kRepeats, std::thread::hardware_concurrency(), last.lines);
  std::printf("(%s)\n\n", last.untimedLine.c_str());
  std::printf("| %-46s | %9s | %-27s |\n", "", "ms", "ratio");
  std::printf("|%s|%s|%s|\n", std::string(48, '-').c_str(), std::string(11, '-').c_str(),
              std::string(29, '-').c_str());
  Row("floor: open + read 64 KiB, one thread", f, f, "floor");
  Row("Date Taken preview (reads on 8 threads)", bench::Median(taken), f, "floor (goal 1.2)");
  Row("the same reads and decoding, one thread", bench::Median(serial), f, "floor");
  Row("Alphanumeric preview, for comparison", bench::Median(byName), f, "floor");

  SlowReads slow(fs);
  std::vector<double> slowSerial, slowTaken;
  for (int r = 0; r < 3; ++r) {
    slowSerial.push_back(SerialReads(slow, slowFolder, slowNames));
    slowTaken.push_back(RunPreview(slow, slowFolder, kSortByTaken).seconds);
  }
  const double s = bench::Median(slowSerial);
  std::printf("\n%zu files, every open and read of a photo slowed by %lld ms, median of 3\n\n",
              slowNames.size(), static_cast<long long>(kReadDelay.count()));
  Row("reads one after another, one thread", s, s, "serial");
  Row("Date Taken preview (reads on 8 threads)", bench::Median(slowTaken), s, "serial (goal 0.25)");
  return 0;
}
