#include "start_arguments.h"

#include <gtest/gtest.h>

namespace {

TEST(StartArgumentsTest, HelpVersionAndTheFirstOperandAreReadFromTheBytes) {
  const struct {
    std::vector<std::string> args;
    bool help;
    bool version;
    std::optional<std::string> folder;
  } cases[] = {
      {{}, false, false, std::nullopt},
      {{"--help"}, true, false, std::nullopt},
      {{"-h"}, true, false, std::nullopt},
      {{"-?"}, true, false, std::nullopt},
      {{"--help-all"}, true, false, std::nullopt},
      {{"--version"}, false, true, std::nullopt},
      {{"-v", "pics"}, false, true, "pics"},
      {{"caf\xe9", "second"}, false, false, "caf\xe9"},  // not UTF-8: kept as it is
      {{"-style", "pics"}, false, false, "pics"},        // an option left to Qt's parser
      {{"--", "--help"}, false, false, "--help"},        // a folder named so
      {{"-", "--version"}, false, true, "-"},
      {{""}, false, false, ""},
  };
  for (const auto& c : cases) {
    const StartArguments read = ReadStartArguments(c.args);
    const std::string shown = c.args.empty() ? "(none)" : c.args.front();
    EXPECT_EQ(read.help, c.help) << shown;
    EXPECT_EQ(read.version, c.version) << shown;
    EXPECT_EQ(read.folder, c.folder) << shown;
  }
}

TEST(StartArgumentsTest, FolderBecomesAbsoluteAndCleanByteForByte) {
  const struct {
    std::string folder;
    std::string workingDir;
    std::string path;
  } cases[] = {
      {"pics", "/home/ann", "/home/ann/pics"},
      {"other/../pics/", "/home/ann", "/home/ann/pics"},
      {"./a//b/.", "/w", "/w/a/b"},
      {"/srv/x/", "/w", "/srv/x"},
      {"/", "/w", "/"},
      {"caf\xe9/\xff\xfe", "/h\xc3\xa9", "/h\xc3\xa9/caf\xe9/\xff\xfe"},
      {"rel", "", "rel"},  // the working folder is unknown
  };
  for (const auto& c : cases)
    EXPECT_EQ(StartFolderPath(c.folder, c.workingDir), c.path) << c.folder;
}

}  // namespace
