// The tool run in this process over a file system that fails one call with
// a chosen errno: what it prints is the window's words followed by what the
// system said, and its own messages end with the system's text.
#include "tool.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "exit_status.h"
#include "posix_file_system.h"
#include "test_support.h"

namespace kalvenor {
namespace {

using testing::TempDir;

// Fails, with its errno, every call of the kind that has one set.
class Faulty : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::error_code RenameNoReplace(const FolderHandle& folder, const std::string& from,
                                  const std::string& to) override {
    if (rename != 0) return ErrorFromErrno(rename);
    return FileSystemWrapper::RenameNoReplace(folder, from, to);
  }
  LogHandle OpenLog(const std::string& path, OpenedLog* opened, std::error_code* error) override {
    if (openLog == 0) return FileSystemWrapper::OpenLog(path, opened, error);
    *error = ErrorFromErrno(openLog);
    return {};
  }
  std::error_code ListFiles(const FolderHandle& folder, bool withTimes, std::vector<FileEntry>& out,
                            std::vector<std::string>* folderNames) override {
    if (list != 0) return ErrorFromErrno(list);
    return FileSystemWrapper::ListFiles(folder, withTimes, out, folderNames);
  }
  std::error_code AppendToLog(const LogHandle& log, std::string_view bytes) override {
    if (append != 0) return ErrorFromErrno(append);
    return FileSystemWrapper::AppendToLog(log, bytes);
  }
  int rename = 0, openLog = 0, list = 0, append = 0;
};

struct Ran {
  int status;
  std::string err;
};

Ran RunOn(FileSystem& fs, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunTool(args, fs, out, err);
  return {status, err.str()};
}

TEST(ToolFailures, SayWhatTheSystemSaid) {
  TempDir dir;
  const std::string folder = std::filesystem::canonical(dir.Path()).string();
  const std::string log = folder + "/run.log";
  const std::string photos = folder + "/photos";
  std::filesystem::create_directory(photos);
  std::ofstream(photos + "/a.jpg") << "a";
  const std::string renamed = "('" + photos + "/a.jpg' -> '" + photos + "/H0000.jpg': ";
  PosixFileSystem real;
  const struct {
    int Faulty::*call;
    int error;
    int status;
    std::string err;
  } cases[] = {
      {&Faulty::rename, EACCES, kExitFailed,
       "kalvenor-cli: Rename error: access denied. " + renamed + "Permission denied)\n"},
      {&Faulty::rename, EEXIST, kExitFailed,
       "kalvenor-cli: Rename error: access denied. " + renamed + "File exists)\n"},
      {&Faulty::rename, EIO, kExitFailed,
       "kalvenor-cli: Rename error: hardware error. " + renamed + "Input/output error)\n"},
      {&Faulty::rename, ENOSPC, kExitFailed,
       "kalvenor-cli: Rename error: unspecified. " + renamed + "No space left on device)\n"},
      {&Faulty::openLog, EACCES, kExitBadArguments,
       "kalvenor-cli: cannot open log file '" + log +
           "': Permission denied; nothing was renamed\n"},
      {&Faulty::list, EIO, kExitBadArguments,
       "kalvenor-cli: cannot read the folder '" + photos + "': Input/output error\n"},
      {&Faulty::append, ENOSPC, kExitFailed,
       "kalvenor-cli: Cannot write to log file " + log + ". (No space left on device)\n"},
  };
  for (const auto& c : cases) {
    Faulty faulty(real);
    faulty.*c.call = c.error;
    const Ran ran = RunOn(faulty, {"-b", "H", "-c", "-l", log, photos});
    EXPECT_EQ(ran.status, c.status) << c.err;
    EXPECT_EQ(ran.err, c.err);
    EXPECT_TRUE(std::filesystem::exists(photos + "/a.jpg")) << c.err;
  }

  // An undo whose log cannot be opened to record it says why, too.
  ASSERT_EQ(RunOn(real, {"-b", "H", "-c", "-l", log, photos}).status, kExitDone);
  Faulty faulty(real);
  faulty.openLog = EROFS;
  const Ran undo = RunOn(faulty, {"--undo-log", log});
  EXPECT_EQ(undo.status, kExitBadArguments);
  EXPECT_EQ(undo.err, "kalvenor-cli: cannot open log file '" + log +
                          "' to record the undo: Read-only file system; nothing was renamed\n");
  EXPECT_TRUE(std::filesystem::exists(photos + "/H0000.jpg"));
}

}  // namespace
}  // namespace kalvenor
