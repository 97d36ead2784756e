#include "log_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace kalvenor {
namespace {

std::tm Time(int year, int month, int day, int h, int m, int s) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = h;
  t.tm_min = m;
  t.tm_sec = s;
  return t;
}

TEST(LogFormatTest, HeadersUseEnglishMonthsAndTwoDigitFields) {
  EXPECT_EQ(LogHeaderLine(Time(2026, 12, 8, 16, 2, 17), false), "December 08, 2026 at 16:02:17\n");
  EXPECT_EQ(LogHeaderLine(Time(2027, 1, 31, 0, 0, 5), true),
            "January 31, 2027 at 00:00:05 (UNDO)\n");
}

TEST(LogFormatTest, HeadersDoNotFollowTheProcessLocale) {
  const char* before = std::setlocale(LC_ALL, nullptr);
  const std::string saved = before != nullptr ? before : "C";
  // Any installed non-English locale would do; C.UTF-8 at least exercises
  // the switch. The result must be English either way.
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;
    EXPECT_EQ(FormatLogTime(Time(2026, 3, 1, 9, 8, 7)), "March 01, 2026 at 09:08:07") << name;
  }
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(LogFormatTest, PathsRoundTripThroughTheEscapes) {
  for (const std::string& path :
       {std::string("/p/a.jpg"), std::string("/p/back\\slash"), std::string("/p/line\nfeed\r"),
        std::string("/p/\\n literally"), std::string("/p/\xff\xfe bad utf-8"),
        std::string("/p/ renamed to x"), std::string("")}) {
    const std::string escaped = EscapeLogPath(path);
    EXPECT_EQ(escaped.find('\n'), std::string::npos);
    EXPECT_EQ(escaped.find('\r'), std::string::npos);
    EXPECT_EQ(UnescapeLogPath(escaped), path);
  }
  EXPECT_EQ(EscapeLogPath("a\\b\nc"), "a\\\\b\\nc");
  EXPECT_EQ(UnescapeLogPath("bad\\x"), std::nullopt);
  EXPECT_EQ(UnescapeLogPath("trailing\\"), std::nullopt);
}

TEST(LogFormatTest, LinesJoinEscapedPaths) {
  EXPECT_EQ(RenameLogLine("/p/a.jpg", "/p/0001Holiday.jpg"),
            "/p/a.jpg renamed to /p/0001Holiday.jpg\n");
  EXPECT_EQ(UndoLogLine("/p/0001Holiday.", "/p/a\nb"),
            "/p/0001Holiday. renamed back to /p/a\\nb\n");
}

TEST(LogFormatTest, ClassifiesHeaderLines) {
  EXPECT_EQ(ClassifyLogLine("December 08, 2026 at 16:02:17\n"), LogHeader::Batch);
  EXPECT_EQ(ClassifyLogLine("December 08, 2026 at 16:02:17"), LogHeader::Batch);
  EXPECT_EQ(ClassifyLogLine("May 01, 1999 at 23:59:59 (UNDO)\n"), LogHeader::Undo);
  EXPECT_EQ(ClassifyLogLine(LogHeaderLine(Time(2030, 9, 9, 9, 9, 9), true)), LogHeader::Undo);
  EXPECT_EQ(ClassifyLogLine("/p/a renamed to /p/b\n"), LogHeader::None);
  EXPECT_EQ(ClassifyLogLine("Smarch 08, 2026 at 16:02:17"), LogHeader::None);
  EXPECT_EQ(ClassifyLogLine("December 8, 2026 at 16:02:17"), LogHeader::None);
  EXPECT_EQ(ClassifyLogLine("December 08, 2026 at 24:02:17"), LogHeader::None);
  EXPECT_EQ(ClassifyLogLine("December 08, 2026 at 16:02:17 (UNDO) x"), LogHeader::None);
  EXPECT_EQ(ClassifyLogLine(""), LogHeader::None);
}

}  // namespace
}  // namespace kalvenor
