#include "console_output.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kalvenor {
namespace {

TEST(FormatResultsLine, EscapesControlCharactersAndBackslashesOnly) {
  const struct {
    std::string raw, shown;
  } cases[] = {
      {"\x1b]0;owned\x07.jpg -> H0001.jpg", "\\x1b]0;owned\\x07.jpg -> H0001.jpg"},
      {"tab\there\x7f -> x", "tab\\x09here\\x7f -> x"},
      {std::string("nul\0.jpg", 8), "nul\\x00.jpg"},
      {"\x1f\x20", "\\x1f "},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatResultsLine(c.raw), c.shown) << c.shown;
  EXPECT_EQ(FormatResultsLine("a\nb.jpg -> 0001x.jpg"), "a\\nb.jpg -> 0001x.jpg");
  EXPECT_EQ(FormatResultsLine("a\rb -> c\\d"), "a\\rb -> c\\\\d");
  const std::string raw = "caf\xe9 \xff.jpg -> Holiday0001.jpg";
  EXPECT_EQ(FormatResultsLine(raw), raw);
}

TEST(ConsoleResults, WritesOneLinePerResultAndNamesItsOwnClosingLine) {
  std::ostringstream out;
  ConsoleResults results(out);
  results.Clear();
  results.AddLine("a.jpg -> Holiday0001.jpg");
  results.AddLine("b\nc.jpg -> Holiday0002.jpg");
  // A file that happens to carry the window's closing words is not reworded.
  results.AddLine("Click Continue to do the above. -> Not Renamed");
  results.AddPreviewClosingLine();
  EXPECT_EQ(results.Count(), 4);
  EXPECT_EQ(out.str(),
            "a.jpg -> Holiday0001.jpg\nb\\nc.jpg -> Holiday0002.jpg\n"
            "Click Continue to do the above. -> Not Renamed\n"
            "Run again with --commit to do the above.\n");
}

TEST(ConsoleMessages, PrefixesEachMessageOnItsOwnLine) {
  std::ostringstream out, err;
  ConsoleMessages messages(out, err);
  messages.ShowMessage("Rename error: access denied.", MessageIcon::Stop);
  messages.ShowMessage("Cannot open log file.", MessageIcon::Exclamation);
  messages.ShowMessage("Cannot write to log file /t/\x1b[2J\n.log.", MessageIcon::Stop);
  EXPECT_EQ(err.str(),
            "kalvenor-cli: Rename error: access denied.\nkalvenor-cli: Cannot open log file.\n"
            "kalvenor-cli: Cannot write to log file /t/\\x1b[2J\\n.log.\n");
  EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace kalvenor
