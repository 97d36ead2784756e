#include "command_line.h"

#include <gtest/gtest.h>

namespace kalvenor {
namespace {

CommandLine Parse(std::vector<std::string> args, std::string cwd = "/home/ann") {
  return ParseCommandLine(args, cwd);
}

TEST(ParseCommandLine, DefaultsMatchTheFormsDefaults) {
  const CommandLine line = Parse({"-b", "Holiday", "photos"});
  ASSERT_EQ(line.action, ToolAction::Rename) << line.error;
  EXPECT_EQ(line.options.baseName, "Holiday");
  EXPECT_EQ(line.options.folder, "/home/ann/photos");
  EXPECT_EQ(line.options.baseIndex, 0);
  EXPECT_TRUE(line.options.postfix);
  EXPECT_EQ(line.options.sortType, 0);
  EXPECT_TRUE(line.options.ascending);
  EXPECT_TRUE(line.options.fillGaps);
  EXPECT_EQ(line.options.logPath, "");
  EXPECT_FALSE(line.commit);
}

TEST(ParseCommandLine, ReadsEveryOptionInLongAndShortForms) {
  const CommandLine longForms =
      Parse({"--base", "Trip", "--index=42", "--prefix", "--sort", "date", "--descending",
             "--no-fill-gaps", "--log", "logs/r.log", "--commit", "/srv/p"});
  ASSERT_EQ(longForms.action, ToolAction::Rename) << longForms.error;
  EXPECT_EQ(longForms.options.baseName, "Trip");
  EXPECT_EQ(longForms.options.baseIndex, 42);
  EXPECT_FALSE(longForms.options.postfix);
  EXPECT_EQ(longForms.options.sortType, 1);
  EXPECT_FALSE(longForms.options.ascending);
  EXPECT_FALSE(longForms.options.fillGaps);
  EXPECT_EQ(longForms.options.logPath, "/home/ann/logs/r.log");
  EXPECT_TRUE(longForms.commit);
  EXPECT_EQ(longForms.options.folder, "/srv/p");

  const CommandLine shortForms = Parse({"-cbTrip", "-i", "0042", "-s", "type", "-l/r.log", "p"});
  ASSERT_EQ(shortForms.action, ToolAction::Rename) << shortForms.error;
  EXPECT_EQ(shortForms.options.baseName, "Trip");
  EXPECT_EQ(shortForms.options.baseIndex, 42);
  EXPECT_EQ(shortForms.options.sortType, 2);
  EXPECT_EQ(shortForms.options.logPath, "/r.log");
  EXPECT_TRUE(shortForms.commit);
}

TEST(ParseCommandLine, LaterPositionChoiceWinsAndDoubleDashEndsOptions) {
  EXPECT_TRUE(Parse({"-b", "x", "--prefix", "--postfix", "p"}).options.postfix);
  EXPECT_FALSE(Parse({"-b", "x", "--postfix", "--prefix", "p"}).options.postfix);
  const CommandLine line = Parse({"-b", "-x", "--", "-folder"});
  ASSERT_EQ(line.action, ToolAction::Rename) << line.error;
  EXPECT_EQ(line.options.baseName, "-x");
  EXPECT_EQ(line.options.folder, "/home/ann/-folder");
}

TEST(ParseCommandLine, AcceptsTheWholeIndexRange) {
  EXPECT_EQ(Parse({"-i", "0", "-b", "x", "p"}).options.baseIndex, 0);
  EXPECT_EQ(Parse({"-i", "9999", "-b", "x", "p"}).options.baseIndex, 9999);
}

TEST(ParseCommandLine, RefusesWrongArguments) {
  const std::vector<std::vector<std::string>> wrong = {
      {"-b", "x", "-i", "10000", "p"},
      {"-b", "x", "-i", "-1", "p"},
      {"-b", "x", "-i", "abc", "p"},
      {"-b", "x", "-i", "", "p"},
      {"-b", "x", "-i", "+5", "p"},
      {"-b", "x", "-i", " 5", "p"},
      {"-b", "x", "-i", "99999999999999999999", "p"},
      {"-b", "x", "--index=", "p"},
      {"p"},                                   // no base name
      {"-b", "", "p"},                         // empty base name
      {"-b", "x"},                             // no folder
      {"-b", "x", "p", "q"},                   // two folders
      {"-b", "x", ""},                         // empty folder
      {"-b", "x", "-s", "size", "p"},          // unknown sort key
      {"-b", "x", "--frobnicate", "p"},        // unknown option
      {"-b", "x", "-z", "p"},                  // unknown short option
      {"-b", "x", "--commit=yes", "p"},        // value for a flag
      {"-b", "x", "-l", "", "p"},              // empty log
      {"p", "-b"},                             // option without its value
      {"--undo-log", "r.log", "p"},            // undo takes no folder
      {"--undo-log", "r.log", "-b", "x"},      // nor rename options
      {"--undo-log", "r.log", "-l", "s.log"},
      {"--undo-log", ""},
  };
  for (const auto& args : wrong) {
    const CommandLine line = Parse(args);
    std::string joined;
    for (const auto& a : args) joined += "[" + a + "]";
    EXPECT_EQ(line.action, ToolAction::Error) << joined;
    EXPECT_FALSE(line.error.empty()) << joined;
  }
}

TEST(ParseCommandLine, ReadsUndo) {
  const CommandLine line = Parse({"--undo-log", "r.log"});
  ASSERT_EQ(line.action, ToolAction::Undo) << line.error;
  EXPECT_EQ(line.undoLogPath, "/home/ann/r.log");
  EXPECT_EQ(Parse({"--undo-log=/x/r.log", "--commit"}).undoLogPath, "/x/r.log");
}

TEST(ParseCommandLine, HelpAndVersionNeedNothingElse) {
  EXPECT_EQ(Parse({"-h"}).action, ToolAction::Help);
  EXPECT_EQ(Parse({"-b", "x", "--help", "p", "q"}).action, ToolAction::Help);
  EXPECT_EQ(Parse({"--version"}).action, ToolAction::Version);
  EXPECT_EQ(VersionText(), "kalvenor-cli 2.0\n");
  EXPECT_EQ(HelpText().rfind(UsageText(), 0), 0u);
}

TEST(ParseCommandLine, RelativePathsNeedAKnownCurrentFolder) {
  EXPECT_EQ(Parse({"-b", "x", "p"}, "").action, ToolAction::Error);
  EXPECT_EQ(Parse({"-b", "x", "-l", "r.log", "/p"}, "").action, ToolAction::Error);
  EXPECT_EQ(Parse({"--undo-log", "r.log"}, "").action, ToolAction::Error);
  EXPECT_EQ(Parse({"-b", "x", "-l", "/r.log", "/p"}, "").action, ToolAction::Rename);
}

}  // namespace
}  // namespace kalvenor
