// Runs with the "Date Taken" order and with photo sets numbered as one.
#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <mutex>
#include <string>
#include <vector>

#include "photo_test_support.h"
#include "posix_file_system.h"
#include "presort.h"
#include "rename_run.h"
#include "run_texts.h"
#include "test_support.h"
#include "undo_last.h"

namespace kalvenor {
namespace {

using testing::RunBench;
using testing::TempDir;
using Lines = std::vector<std::string>;

constexpr char kPreviewEnd[] = "Click Continue to do the above.";

std::string Photo(const char* taken) {
  return testing::JpegWithExif({{"Exif.Photo.DateTimeOriginal", taken}});
}

// A computer one hour east of UTC all year.
class OneHourEast : public FileSystemWrapper {
 public:
  OneHourEast() : FileSystemWrapper(m_real) {}
  std::int64_t UtcOffsetAt(std::int64_t /*unixSeconds*/) override { return 3600; }

 private:
  PosixFileSystem m_real;
};

class PhotoRunTest : public ::testing::Test {
 protected:
  PhotoRunTest() : m_run(m_fs) {
    m_run.options.folder = m_dir.Path();
    m_run.options.baseName = "Holiday";
    m_run.options.postfix = false;
    m_run.options.fillGaps = false;
  }
  // Makes `name` holding `bytes`, last written at `written` (UTC, "YYYY-MM-DD HH:MM:SS").
  void Make(const std::string& name, const std::string& bytes, const char* written) {
    m_dir.MakeFile(name, bytes);
    std::tm tm{};
    ASSERT_NE(::strptime(written, "%Y-%m-%d %H:%M:%S", &tm), nullptr);
    const timespec times[2] = {{::timegm(&tm), 0}, {::timegm(&tm), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, m_dir.Join(name).c_str(), times, 0), 0);
  }
  Lines Preview() {
    EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
    return m_run.results.lines;
  }

  TempDir m_dir;
  OneHourEast m_fs;
  RunBench m_run;
};

// Capture times first (EXIF as written, a film's UTC times and the write
// times in the computer's zone), ties by name, and one line for the files
// that had none.
TEST_F(PhotoRunTest, DateTakenOrdersByCaptureTimeAndCountsTheFilesWithout) {
  testing::MovieBoxes film;
  film.headerTime = 2082844800u + 1714548600u;  // 2024-05-01 07:30 UTC, 08:30 here
  Make("b.jpg", Photo("2024:05:01 10:00:00"), "2020-01-01 00:00:00");
  Make("a.jpg", Photo("2024:05:01 10:00:00"), "2021-01-01 00:00:00");  // a tie: by name
  Make("c.mov", testing::Movie(film), "2020-01-01 00:00:00");
  Make("d.txt", "notes", "2024-05-01 08:00:00");  // 09:00 here
  Make("e.jpg", testing::JpegWithExif({{"Exif.Image.DateTime", "2024:05:01 07:00:00"}}),
       "2024-05-01 09:30:00");  // edited: 10:30 here
  m_run.options.sortType = kSortByTaken;
  const std::string untimed = WithoutCaptureTimeLine(2);
  EXPECT_EQ(Preview(), (Lines{"c.mov -> 0001Holiday.mov", "d.txt -> 0002Holiday.txt",
                              "a.jpg -> 0003Holiday.jpg", "b.jpg -> 0004Holiday.jpg",
                              "e.jpg -> 0005Holiday.jpg", untimed, kPreviewEnd}));
  EXPECT_EQ(m_run.results.scrolledTo, 5);  // the line about capture times on top
  m_run.options.ascending = false;
  EXPECT_EQ(Preview(), (Lines{"e.jpg -> 0001Holiday.jpg", "b.jpg -> 0002Holiday.jpg",
                              "a.jpg -> 0003Holiday.jpg", "d.txt -> 0004Holiday.txt",
                              "c.mov -> 0005Holiday.mov", untimed, kPreviewEnd}));
  // The other orders show no such line.
  m_run.options.sortType = kSortByDate;
  EXPECT_EQ(Preview().size(), 6u);
  EXPECT_EQ(m_run.results.scrolledTo, 5);
}

// The folder's files as lines of a preview with sets, for a table of folders.
TEST_F(PhotoRunTest, SetsShareOneNumberAndKeepTheirExtensions) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    Lines lines;
    bool fillGaps = false;
    bool ascending = true;
  } cases[] = {
      {"raw, JPEG and both sidecar spellings",
       {"IMG_1.CR2", "IMG_1.JPG", "IMG_1.CR2.xmp", "IMG_1.xmp", "IMG_2.CR2", "IMG_2.JPG"},
       {"IMG_1.CR2 -> 0001Holiday.CR2", "IMG_1.JPG -> 0001Holiday.JPG",
        "IMG_1.xmp -> 0001Holiday.xmp", "IMG_1.CR2.xmp -> 0001Holiday.CR2.xmp",
        "IMG_2.CR2 -> 0002Holiday.CR2", "IMG_2.JPG -> 0002Holiday.JPG", kPreviewEnd}},
      {"Live Photos; two films of one still are two sets",
       {"IMG_3.HEIC", "IMG_3.MOV", "IMG_4.HEIC", "IMG_4_HEVC.MOV", "IMG_5.HEIC", "IMG_5.MOV",
        "IMG_5_HEVC.MOV", "IMG_6_HEVC.MOV"},
       {"IMG_3.HEIC -> 0001Holiday.HEIC", "IMG_3.MOV -> 0001Holiday.MOV",
        "IMG_4.HEIC -> 0002Holiday.HEIC", "IMG_4_HEVC.MOV -> 0002Holiday.MOV",
        "IMG_5.HEIC -> 0003Holiday.HEIC", "IMG_5.MOV -> 0003Holiday.MOV",
        "IMG_5_HEVC.MOV -> 0004Holiday.MOV", "IMG_6_HEVC.MOV -> 0005Holiday.MOV", kPreviewEnd}},
      {"a set wholly in the series, one partly, one not",
       {"0008Holiday.CR2", "0008holiday.jpg", "0008Holiday.CR2.xmp", "0007Holiday.HEIC",
        "0007Holiday_HEVC.MOV", "IMG_7.JPG"},
       {"0008Holiday.CR2 -> Not Renamed", "0008holiday.jpg -> Not Renamed",
        "0008Holiday.CR2.xmp -> Not Renamed", "0007Holiday.HEIC -> 0009Holiday.HEIC",
        "0007Holiday_HEVC.MOV -> 0009Holiday.MOV", "IMG_7.JPG -> 0010Holiday.JPG", kPreviewEnd}},
      {"the same with gaps filled: 7 stays held until its set is renamed",
       {"0008Holiday.CR2", "0008Holiday.CR2.xmp", "0007Holiday.HEIC", "0007Holiday_HEVC.MOV",
        "IMG_7.JPG"},
       {"0008Holiday.CR2 -> Not Renamed", "0008Holiday.CR2.xmp -> Not Renamed",
        "0007Holiday.HEIC -> 0000Holiday.HEIC", "0007Holiday_HEVC.MOV -> 0000Holiday.MOV",
        "IMG_7.JPG -> 0001Holiday.JPG", kPreviewEnd},
       true},
      {"a sidecar whose raw file is missing, and a name it holds",
       {"IMG_8.CR2.xmp", "IMG_8.JPG", "0001Holiday.NEF.xmp", "a.jpg"},
       {"0001Holiday.NEF.xmp -> 0000Holiday.xmp", "a.jpg -> 0002Holiday.jpg",
        "IMG_8.JPG -> 0003Holiday.JPG", "IMG_8.CR2.xmp -> 0004Holiday.xmp", kPreviewEnd},
       true},
      {"case variants: one set per spelling",
       {"IMG_9.JPG", "img_9.jpg", "IMG_9.CR2", "img_9.CR2.XMP"},
       {"IMG_9.CR2 -> 0001Holiday.CR2", "IMG_9.JPG -> 0001Holiday.JPG",
        "img_9.CR2.XMP -> 0001Holiday.CR2.XMP", "img_9.jpg -> 0002Holiday.jpg", kPreviewEnd}},
      {"downwards, and files of empty stem alone",
       {"a.JPG", "a.CR2", "b.jpg", ".profile", ".bashrc"},
       {"b.jpg -> 0001Holiday.jpg", "a.CR2 -> 0002Holiday.CR2", "a.JPG -> 0002Holiday.JPG",
        ".profile -> 0003Holiday.profile", ".bashrc -> 0004Holiday.bashrc", kPreviewEnd},
       false,
       false},
  };
  m_run.options.photoSets = true;
  for (const Case& c : cases) {
    TempDir folder;
    for (const std::string& name : c.files) folder.MakeFile(name);
    m_run.options.folder = folder.Path();
    m_run.options.fillGaps = c.fillGaps;
    m_run.options.ascending = c.ascending;
    EXPECT_EQ(Preview(), c.lines) << c.what;
  }
}

// A set takes its place by its picture's capture time: the raw file's, not
// its JPEG's or its sidecar's; only pictures are read, and no file's write
// time is, as all pictures have a capture time.
TEST_F(PhotoRunTest, SetsOrderByTheirPicturesCaptureTime) {
  class CountingLooks : public FileSystemWrapper {
   public:
    using FileSystemWrapper::FileSystemWrapper;
    std::error_code ListFiles(const FolderHandle& folder, bool withTimes,
                              std::vector<FileEntry>& out,
                              std::vector<std::string>* folderNames) override {
      listedWithTimes = listedWithTimes || withTimes;
      return FileSystemWrapper::ListFiles(folder, withTimes, out, folderNames);
    }
    ReadHandle OpenForReading(const FolderHandle& folder, const std::string& name,
                              std::uint64_t* size) override {
      const std::lock_guard lock(m_mutex);
      m_looked.push_back(name);
      return FileSystemWrapper::OpenForReading(folder, name, size);
    }
    std::optional<FileTime> WriteTime(const FolderHandle& folder,
                                      const std::string& name) override {
      const std::lock_guard lock(m_mutex);
      m_looked.push_back("time of " + name);
      return FileSystemWrapper::WriteTime(folder, name);
    }
    Lines Looked() {
      const std::lock_guard lock(m_mutex);
      Lines names = m_looked;
      std::sort(names.begin(), names.end());
      return names;
    }
    bool listedWithTimes = false;

   private:
    std::mutex m_mutex;
    Lines m_looked;
  } fs(m_fs);
  RunBench run(fs);
  run.options = m_run.options;
  m_dir.MakeFile("A.CR2",
                 testing::ExifTiff({{"Exif.Photo.DateTimeOriginal", "2024:05:01 10:00:00"}}));
  m_dir.MakeFile("A.JPG", Photo("2024:05:01 08:00:00"));
  m_dir.MakeFile("A.CR2.xmp", Photo("2024:05:01 07:00:00"));
  m_dir.MakeFile("B.JPG", Photo("2024:05:01 09:00:00"));
  run.options.photoSets = true;
  run.options.sortType = kSortByTaken;
  EXPECT_EQ(run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(
      run.results.lines,
      (Lines{"B.JPG -> 0001Holiday.JPG", "A.CR2 -> 0002Holiday.CR2", "A.JPG -> 0002Holiday.JPG",
             "A.CR2.xmp -> 0002Holiday.CR2.xmp", WithoutCaptureTimeLine(0), kPreviewEnd}));
  EXPECT_EQ(fs.Looked(), (Lines{"A.CR2", "B.JPG"}));
  EXPECT_FALSE(fs.listedWithTimes);
}

// Each member's rename is logged and undone as any file's.
TEST_F(PhotoRunTest, ASetIsCommittedLoggedAndUndoneFileByFile) {
  const Lines names = {"IMG_1.CR2", "IMG_1.CR2.xmp", "IMG_1.JPG", "IMG_2.JPG"};
  for (const std::string& name : names) m_dir.MakeFile(name, "bytes of " + name);
  const TempDir logDir;
  m_run.options.photoSets = true;
  m_run.options.logPath = logDir.Join("photos.log");
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Done);
  EXPECT_EQ(m_dir.Names(), (Lines{"0001Holiday.CR2", "0001Holiday.CR2.xmp", "0001Holiday.JPG",
                                  "0002Holiday.JPG"}));
  EXPECT_EQ(m_dir.Read("0001Holiday.CR2.xmp"), "bytes of IMG_1.CR2.xmp");
  EXPECT_EQ(m_run.batch.Size(), 4u);
  const std::string log = logDir.Read("photos.log");
  EXPECT_NE(
      log.find(m_dir.Join("IMG_1.CR2.xmp") + " renamed to " + m_dir.Join("0001Holiday.CR2.xmp")),
      std::string::npos);
  UndoLastBatch(m_run.options.logPath, false, m_run.ctx, m_run.batch);
  EXPECT_EQ(m_dir.Names(), names);
}

// With sets, the file-count limit counts sets: 5,000 raw and JPEG pairs
// are 5,000 numbers, and without sets 10,000 files too many.
TEST_F(PhotoRunTest, TheLimitCountsSets) {
  for (int i = 0; i < 5000; ++i) {
    const std::string stem = "IMG_" + std::to_string(10000 + i);
    m_dir.MakeFile(stem + ".NEF");
    m_dir.MakeFile(stem + ".JPG");
  }
  m_run.options.photoSets = true;
  const Lines withSets = Preview();
  ASSERT_EQ(withSets.size(), 10001u);
  EXPECT_EQ(withSets[9999], "IMG_14999.JPG -> 5000Holiday.JPG");
  m_run.options.photoSets = false;
  EXPECT_EQ(m_run.Run(false).end, RunEnd::FileCountLimit);
}

// Reading capture times reports its progress as a stage of its own, and a
// stop asked for while they are read ends a preview with nothing shown and
// a commit before its first rename.
TEST_F(PhotoRunTest, ReadingCaptureTimesReportsProgressAndStops) {
  struct Progress : RunProgress {
    void BeginStage(RunStage begun) override {
      stage = begun;
      stages.push_back(begun);
    }
    void Advance(std::size_t done, std::size_t total) override {
      if (stage == RunStage::CaptureTimes) {
        lastDone = done;
        EXPECT_EQ(total, 40u);
      }
    }
    bool StopRequested() const override { return stop; }
    RunStage stage = RunStage::Files;
    std::vector<RunStage> stages;
    std::size_t lastDone = 0;
    std::atomic<bool> stop{false};
  } progress;
  for (int i = 0; i < 40; ++i)
    m_dir.MakeFile("p" + std::to_string(i) + ".jpg", Photo("2024:05:01 10:00:00"));
  m_run.ctx.progress = &progress;
  m_run.options.sortType = kSortByTaken;
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Done);
  EXPECT_EQ(progress.lastDone, 40u);
  EXPECT_EQ(progress.stages, (std::vector<RunStage>{RunStage::CaptureTimes, RunStage::Files}));
  progress.stop = true;
  EXPECT_EQ(m_run.Run(false).end, RunEnd::Stopped);
  EXPECT_TRUE(m_run.results.lines.empty());
  EXPECT_EQ(m_run.Run(true).end, RunEnd::Stopped);
  EXPECT_EQ(m_dir.Names().size(), 40u);
  EXPECT_EQ(m_dir.Names().front(), "p0.jpg");
  EXPECT_EQ(m_run.batch.Size(), 0u);
}

}  // namespace
}  // namespace kalvenor
