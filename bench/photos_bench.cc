// The cost of the "Date Taken" order: a preview of 9,999 photos and films
// against the floor of opening each file and reading its first 64 KiB in
// one thread, measured in the same run on the same warm folder; then, with
// every open and read of a photo slowed as on a network share, the preview
// (which reads on several threads) against the same reads one after
// another. Reported, never asserted:
//   cmake --build <build> --target kalvenor_photos_bench
//   <build>/bench/kalvenor_photos_bench [FOLDER-PARENT]
// The folder: 8,500 JPEGs (3 MB each, an EXIF of 30 tags written through
// libexiv2, the image data a hole of the file), 1,000 raw files (TIFF, 20
// MB) and 499 MP4 films (20 MB, the moov box after the media data).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
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

// Thirty tags as a camera writes them, with the capture time `taken`.
testing::ExifTags CameraTags(const std::string& taken, int i) {
  return {{"Exif.Image.Make", "Kalvenor Optics"},
          {"Exif.Image.Model", "KX-100 Mark II"},
          {"Exif.Image.Orientation", "1"},
          {"Exif.Image.XResolution", "300/1"},
          {"Exif.Image.YResolution", "300/1"},
          {"Exif.Image.ResolutionUnit", "2"},
          {"Exif.Image.Software", "Firmware 1.2.3"},
          {"Exif.Image.DateTime", taken},
          {"Exif.Image.Artist", "Tessavoy"},
          {"Exif.Image.Copyright", "Tessavoy 2026"},
          {"Exif.Photo.ExposureTime", "1/250"},
          {"Exif.Photo.FNumber", "56/10"},
          {"Exif.Photo.ExposureProgram", "3"},
          {"Exif.Photo.ISOSpeedRatings", std::to_string(100 + i % 3200)},
          {"Exif.Photo.ExifVersion", "48 50 51 50"},
          {"Exif.Photo.DateTimeOriginal", taken},
          {"Exif.Photo.DateTimeDigitized", taken},
          {"Exif.Photo.OffsetTimeOriginal", "+01:00"},
          {"Exif.Photo.SubSecTimeOriginal", std::to_string(i % 100)},
          {"Exif.Photo.SubSecTimeDigitized", std::to_string(i % 100)},
          {"Exif.Photo.ShutterSpeedValue", "7965784/1000000"},
          {"Exif.Photo.ApertureValue", "4970854/1000000"},
          {"Exif.Photo.ExposureBiasValue", "0/3"},
          {"Exif.Photo.MeteringMode", "5"},
          {"Exif.Photo.Flash", "16"},
          {"Exif.Photo.FocalLength", "350/10"},
          {"Exif.Photo.ColorSpace", "1"},
          {"Exif.Photo.PixelXDimension", "6000"},
          {"Exif.Photo.PixelYDimension", "4000"},
          {"Exif.Photo.LensModel", "KX 24-70mm F2.8"}};
}

void Write(const std::string& path, const std::string& bytes, off_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
      ::ftruncate(fd, std::max<off_t>(size, static_cast<off_t>(bytes.size()))) != 0) {
    std::perror(path.c_str());
  }
  if (fd >= 0) ::close(fd);
}

// Makes the photos; gives their names.
std::vector<std::string> MakePhotos(const std::string& folder, int jpegs, int raws, int films) {
  std::mt19937 random(20261209);
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
    std::string bytes;
    off_t size = 0;
    if (i < jpegs) {
      std::snprintf(name, sizeof name, "DSC%05d.JPG", (i * 7919) % 100000);
      bytes = testing::JpegWithExif(CameraTags(taken(), i));
      size = 3 << 20;
    } else if (i < jpegs + raws) {
      std::snprintf(name, sizeof name, "DSC%05d.NEF", (i * 7919) % 100000);
      bytes = testing::ExifTiff(CameraTags(taken(), i));
      size = 20 << 20;
    } else {
      std::snprintf(name, sizeof name, "MOV%05d.MP4", (i * 7919) % 100000);
      testing::MovieBoxes film;
      film.brand = "mp42";
      film.headerTime = 3797000000u + random() % 30000000;
      film.moovLast = true;
      film.mediaBytes = 0;
      bytes = testing::Movie(film);
      // The media data grows to 20 MB: its box size is patched in.
      const std::uint32_t media = 20 << 20;
      const std::size_t at = bytes.find("mdat") - 4;
      for (int b = 0; b < 4; ++b) bytes[at + b] = static_cast<char>(media >> (24 - 8 * b));
      bytes.insert(at + 8, std::string(media - 8, '\0'));
    }
    Write(folder + "/" + name, bytes, size);
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
