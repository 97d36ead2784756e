#include "console_output.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

namespace kalvenor {
namespace {

TEST(FormatResultsLine, EscapesWhatWouldSteerTheTerminalAndBackslashesOnly) {
  const struct {
    std::string raw, shown;
  } cases[] = {
      {"\x1b]0;owned\x07.jpg -> H0001.jpg", "\\x1b]0;owned\\x07.jpg -> H0001.jpg"},
      {"tab\there\x7f -> x", "tab\\x09here\\x7f -> x"},
      {std::string("nul\0.jpg", 8), "nul\\x00.jpg"},
      {"\x1f\x20", "\\x1f "},
      // C1 controls: in UTF-8, and as raw bytes outside it (an xterm takes
      // 0x9d as OSC and 0x9c as ST: this name would retitle the window).
      {"\x9d"
       "0;owned\x9c.jpg -> H0001.jpg",
       "\\x9d"
       "0;owned\\x9c.jpg -> H0001.jpg"},
      {"\xc2\x9b"
       "31m.jpg",
       "\\xc2\\x9b"
       "31m.jpg"},
      {"\xc2\x85.jpg -> \xc2\xa0.jpg", "\\xc2\\x85.jpg -> \xc2\xa0.jpg"},
      {"\xe2\x9d.jpg", "\xe2\\x9d.jpg"},  // a cut-off sequence: only its C1 byte
      // Bidirectional overrides and isolates, and the separators.
      {"gpj.\xe2\x80\xae"
       "exe",
       "gpj.\\xe2\\x80\\xae"
       "exe"},
      {"\xe2\x80\xaa\xe2\x81\xa6\xe2\x81\xa9\xe2\x80\xa8",
       "\\xe2\\x80\\xaa\\xe2\\x81\\xa6\\xe2\\x81\\xa9\\xe2\\x80\\xa8"},
      // Other characters pass byte for byte.
      {"\xe2\x80\x8e \xe2\x82\xac \xf0\x9f\x93\xb7", "\xe2\x80\x8e \xe2\x82\xac \xf0\x9f\x93\xb7"},
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
  // A failure's paths and the system's text follow, kept on the line too.
  messages.ShowFailure("Rename error: bad path.", MessageIcon::Stop,
                       Failure(ErrorFromErrno(EINVAL), "/t/a\x1b[2J", "/t/b\nc"));
  messages.ShowFailure("Cannot write to log file /t/x.log.", MessageIcon::Exclamation,
                       Failure(ErrorFromErrno(ENOSPC)));
  messages.ShowFailure("Cannot open log file.", MessageIcon::Exclamation, Failure());
  EXPECT_EQ(err.str(),
            "kalvenor-cli: Rename error: access denied.\nkalvenor-cli: Cannot open log file.\n"
            "kalvenor-cli: Cannot write to log file /t/\\x1b[2J\\n.log.\n"
            "kalvenor-cli: Rename error: bad path. ('/t/a\\x1b[2J' -> '/t/b\\nc': Invalid "
            "argument)\n"
            "kalvenor-cli: Cannot write to log file /t/x.log. (No space left on device)\n"
            "kalvenor-cli: Cannot open log file.\n");
  EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace kalvenor
