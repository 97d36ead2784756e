#include "command_line.h"

#include <gtest/gtest.h>

#include "kalvenor_version.h"

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
  EXPECT_FALSE(line.options.keepHidden);
  EXPECT_EQ(line.options.logPath, "");
  EXPECT_FALSE(line.commit);
}

TEST(ParseCommandLine, ReadsEveryOptionInLongAndShortForms) {
  const CommandLine longForms =
      Parse({"--base", "Trip", "--index=42", "--prefix", "--sort", "date", "--descending",
             "--no-fill-gaps", "--keep-hidden", "--log", "logs/r.log", "--commit", "/srv/p"});
  ASSERT_EQ(longForms.action, ToolAction::Rename) << longForms.error;
  EXPECT_EQ(longForms.options.baseName, "Trip");
  EXPECT_EQ(longForms.options.baseIndex, 42);
  EXPECT_FALSE(longForms.options.postfix);
  EXPECT_EQ(longForms.options.sortType, 1);
  EXPECT_FALSE(longForms.options.ascending);
  EXPECT_FALSE(longForms.options.fillGaps);
  EXPECT_TRUE(longForms.options.keepHidden);
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

// The GNU forms: abbreviated long options, "--name=value", a value glued to
// its letter, clustered letters, operands anywhere, "--" ending the options.
TEST(ParseCommandLine, ReadsGnuForms) {
  // What a Rename line amounts to: base name, folder, then the non-defaults.
  const auto summary = [](const CommandLine& line) {
    if (line.action != ToolAction::Rename) return "error: " + line.error;
    return line.options.baseName + " " + line.options.folder + (line.commit ? " commit" : "") +
           (line.options.postfix ? "" : " prefix") + (line.options.ascending ? "" : " descending") +
           (line.options.fillGaps ? "" : " no-fill-gaps") +
           (line.options.keepHidden ? " keep-hidden" : "") +
           (line.options.photoSets ? " sets" : "") +
           (line.options.sortType != 0 ? " sort" + std::to_string(line.options.sortType) : "");
  };
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--bas", "X", "p"}, "X /home/ann/p"},
      {{"--base=X", "p"}, "X /home/ann/p"},
      {{"-bX", "p"}, "X /home/ann/p"},
      {{"-cbX", "p"}, "X /home/ann/p commit"},
      {{"p", "-b", "X", "--desc", "--no-f", "--co"},
       "X /home/ann/p commit descending no-fill-gaps"},
      {{"--pre", "-b", "X", "p"}, "X /home/ann/p prefix"},
      {{"--k", "-b", "X", "p"}, "X /home/ann/p keep-hidden"},
      {{"--s=date", "-b", "X", "p"}, "X /home/ann/p sort1"},
      {{"--s", "taken", "--se", "-b", "X", "p"}, "X /home/ann/p sets sort3"},
      {{"--prefix", "--pos", "-b", "X", "p"}, "X /home/ann/p"},
      {{"-b", "X", "--", "-p"}, "X /home/ann/-p"},
      {{"-b", "X", "-"}, "X /home/ann/-"},
  };
  for (const auto& [args, expected] : cases) EXPECT_EQ(summary(Parse(args)), expected) << args[0];
}

TEST(ParseCommandLine, RefusesWrongArguments) {
  const std::string badIndex = "the base index must be a number from 0 to 9999, not ";
  const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
      {{"-b", "x", "-i", "10000", "p"}, badIndex + "'10000'"},
      {{"-b", "x", "-i", "-1", "p"}, badIndex + "'-1'"},
      {{"-b", "x", "-i", "abc", "p"}, badIndex + "'abc'"},
      {{"-b", "x", "-i", "", "p"}, badIndex + "''"},
      {{"-b", "x", "-i", "+5", "p"}, badIndex + "'+5'"},
      {{"-b", "x", "-i", " 5", "p"}, badIndex + "' 5'"},
      {{"-b", "x", "-i", "99999999999999999999", "p"}, badIndex + "'99999999999999999999'"},
      {{"-b", "x", "--index=", "p"}, badIndex + "''"},
      {{"p"}, "a base name is required (-b NAME)"},
      {{"-b", "", "p"}, "the base name must not be empty"},
      {{"-b", "x"}, "no FOLDER given"},
      {{"-b", "x", "p", "q"}, "only one FOLDER may be given"},
      {{"-b", "x", ""}, "the FOLDER must not be empty"},
      {{"-b", "x", "-s", "size", "p"},
       "the sort key must be name, date, type or taken, not 'size'"},
      {{"-b", "x", "--frobnicate", "p"}, "unknown option '--frobnicate'"},
      {{"-b", "x", "-z", "p"}, "unknown option '-z'"},
      {{"-b", "x", "--p", "p"}, "option '--p' is ambiguous"},
      {{"-b", "x", "--commit=yes", "p"}, "option '--commit' takes no value"},
      {{"--prefix=x", "-b", "x", "p"}, "option '--prefix' takes no value"},
      {{"-b", "x", "-l", "", "p"}, "the log file of '--log' must not be empty"},
      {{"p", "-b"}, "option '--base' needs a value"},
      {{"p", "-cb"}, "option '--base' needs a value"},
      {{"p", "--ba"}, "option '--base' needs a value"},
      {{"--undo-log", "r.log", "p"}, "'--undo-log' takes no FOLDER"},
      {{"--undo-log", "r.log", "-b", "x"}, "'--undo-log' cannot be combined with '--base'"},
      {{"--undo-log", "r.log", "-l", "s.log", "--pre"},
       "'--undo-log' cannot be combined with '--prefix'"},
      {{"--undo-log", ""}, "the log file of '--undo-log' must not be empty"},
      {{"--history", "r.log", "p"}, "'--history' takes no FOLDER"},
      {{"--history", "r.log", "-b", "x"}, "'--history' cannot be combined with '--base'"},
      {{"--history", "r.log", "--undo-log", "r.log"},
       "'--history' cannot be combined with '--undo-log'"},
      {{"--history", ""}, "the log file of '--history' must not be empty"},
      {{"--h=r.log"}, "option '--h' is ambiguous"},
  };
  for (const auto& [args, error] : wrong) {
    const CommandLine line = Parse(args);
    std::string joined;
    for (const auto& a : args) joined += "[" + a + "]";
    EXPECT_EQ(line.action, ToolAction::Error) << joined;
    EXPECT_EQ(line.error, error) << joined;
  }
}

TEST(ParseCommandLine, ReadsHistory) {
  const CommandLine line = Parse({"--history", "r.log"});
  ASSERT_EQ(line.action, ToolAction::History) << line.error;
  EXPECT_EQ(line.historyLogPath, "/home/ann/r.log");
  EXPECT_EQ(Parse({"--hi=/x/r.log"}).historyLogPath, "/x/r.log");
}

TEST(ParseCommandLine, ReadsUndo) {
  const CommandLine line = Parse({"--undo-log", "r.log"});
  ASSERT_EQ(line.action, ToolAction::Undo) << line.error;
  EXPECT_EQ(line.undoLogPath, "/home/ann/r.log");
  EXPECT_EQ(Parse({"--undo-log=/x/r.log", "--commit"}).undoLogPath, "/x/r.log");
  EXPECT_EQ(Parse({"--undo=/x/r.log"}).undoLogPath, "/x/r.log");
}

TEST(ParseCommandLine, HelpAndVersionNeedNothingElse) {
  EXPECT_EQ(Parse({"-h"}).action, ToolAction::Help);
  EXPECT_EQ(Parse({"-b", "x", "--help", "p", "q"}).action, ToolAction::Help);
  EXPECT_EQ(Parse({"--version"}).action, ToolAction::Version);
  // Seen in order: the first of help and a mistake decides.
  EXPECT_EQ(Parse({"-ch", "--frob"}).action, ToolAction::Help);
  EXPECT_EQ(Parse({"--frob", "--help"}).action, ToolAction::Error);
  EXPECT_EQ(Parse({"--vers", "-z"}).action, ToolAction::Version);
  // The version shown is the project's major and minor version.
  EXPECT_EQ(VersionText(), "kalvenor-cli " KALVENOR_VERSION_SHOWN "\n");
  EXPECT_EQ(std::string(KALVENOR_VERSION_FULL).rfind(KALVENOR_VERSION_SHOWN ".", 0), 0u);
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
