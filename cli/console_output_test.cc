#include "console_output.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kalvenor {
namespace {

TEST(FormatResultsLine, RewordsOnlyThePreviewClosingLine) {
  EXPECT_EQ(FormatResultsLine("Click Continue to do the above."),
            "Run again with --commit to do the above.");
  EXPECT_EQ(FormatResultsLine("Operations complete."), "Operations complete.");
  EXPECT_EQ(FormatResultsLine("Click Continue to do the above. -> Not Renamed"),
            "Click Continue to do the above. -> Not Renamed");
}

TEST(FormatResultsLine, EscapesLineBreaksAndBackslashesOnly) {
  EXPECT_EQ(FormatResultsLine("a\nb.jpg -> 0001x.jpg"), "a\\nb.jpg -> 0001x.jpg");
  EXPECT_EQ(FormatResultsLine("a\rb -> c\\d"), "a\\rb -> c\\\\d");
  const std::string raw = "caf\xe9 \xff.jpg -> Holiday0001.jpg";
  EXPECT_EQ(FormatResultsLine(raw), raw);
}

TEST(ConsoleResults, WritesOneLinePerResultAndNoticesLimits) {
  std::ostringstream out;
  ConsoleResults results(out);
  results.Clear();
  results.AddLine("a.jpg -> Holiday0001.jpg");
  results.AddLine("b\nc.jpg -> Holiday0002.jpg");
  EXPECT_FALSE(results.LimitReached());
  results.AddLine("Index exceeds limit.");
  EXPECT_EQ(results.Count(), 3);
  EXPECT_TRUE(results.LimitReached());
  EXPECT_EQ(out.str(),
            "a.jpg -> Holiday0001.jpg\nb\\nc.jpg -> Holiday0002.jpg\nIndex exceeds limit.\n");

  ConsoleResults counted(out);
  counted.AddLine("File count exceeds 9999.");
  EXPECT_TRUE(counted.LimitReached());
}

TEST(ConsoleMessages, PrefixesEachMessageOnItsOwnLine) {
  std::ostringstream out, err;
  ConsoleMessages messages(out, err);
  EXPECT_FALSE(messages.AnyShown());
  messages.ShowMessage("Rename error: access denied.", MessageIcon::Stop);
  messages.ShowMessage("Cannot open log file.", MessageIcon::Exclamation);
  EXPECT_EQ(err.str(),
            "kalvenor-cli: Rename error: access denied.\nkalvenor-cli: Cannot open log file.\n");
  EXPECT_EQ(messages.Count(), 2);
  EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace kalvenor
