#include "display_text.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shown_character.h"

namespace {

TEST(DisplayTextTest, DecodesAsTheFileSystemLayerDecodes) {
  std::vector<std::string> names = {
      "",     "plain",   "Mixed Case 0042", "\xC3\xA9t\xC3\xA9", "\xE2\x82\xAC", "bad\xFF\xFE",
      "\x80", "tail\xC3"};
  std::string everyAscii;
  for (int c = 1; c < 0x80; ++c) everyAscii += static_cast<char>(c);
  names.push_back(everyAscii);
  for (const std::string& name : names) {
    EXPECT_EQ(DisplayText(name), QFile::decodeName(QByteArray::fromStdString(name))) << name;
    // Results lines were decoded as UTF-8; file names decode the same way.
    EXPECT_EQ(DisplayText(name),
              QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))
        << name;
  }
}

TEST(DisplayTextTest, PathBytesEncodeAsTheFileSystemLayerEncodes) {
  const struct {
    QString text;
    std::string bytes;
  } cases[] = {{QString(), ""},
               {QStringLiteral("/home/ann/Photos"), "/home/ann/Photos"},
               {QStringLiteral("/data/\u00E9t\u00E9"), "/data/\xC3\xA9t\xC3\xA9"},
               {QStringLiteral("\u20AC"), "\xE2\x82\xAC"}};
  for (const auto& c : cases) {
    EXPECT_EQ(PathBytes(c.text), c.bytes) << c.bytes;
    EXPECT_EQ(PathBytes(c.text), QFile::encodeName(c.text).toStdString()) << c.bytes;
    EXPECT_EQ(DisplayText(c.bytes), c.text) << c.bytes;
  }
}

TEST(RowTextTest, EscapesWhatWouldSplitARowOrLookLikeAnotherName) {
  const struct {
    std::string bytes;
    QString shown;
  } cases[] = {
      // Names that are text show exactly as the file system layer decodes them.
      {"a.jpg -> 0001Holiday.jpg", QStringLiteral("a.jpg -> 0001Holiday.jpg")},
      {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC.jpg", QStringLiteral("\u00E9t\u00E9 \u20AC.jpg")},
      {"back\\slash\\\\.jpg", QStringLiteral("back\\slash\\\\.jpg")},
      {"\xEF\xBF\xBD.jpg", QStringLiteral("\uFFFD.jpg")},
      // A line feed or another control would break the row or act.
      {"a\nb.jpg -> H0001.jpg", QStringLiteral("a\\x0ab.jpg -> H0001.jpg")},
      {"a\rb\tc\x1b\x7f", QStringLiteral("a\\x0db\\x09c\\x1b\\x7f")},
      {"l\xE2\x80\xA8p\xE2\x80\xA9", QStringLiteral("l\\xe2\\x80\\xa8p\\xe2\\x80\\xa9")},
      {"\xC2\x85next", QStringLiteral("\\xc2\\x85next")},
      {"gpj.\xE2\x80\xAE"
       "exe",
       QStringLiteral("gpj.\\xe2\\x80\\xae"
                      "exe")},
      {"\xE2\x81\xA6x\xE2\x81\xA9", QStringLiteral("\\xe2\\x81\\xa6x\\xe2\\x81\\xa9")},
      // Bad bytes are told apart rather than all shown as one replacement.
      {"bad\xFF", QStringLiteral("bad\\xff")},
      {"bad\xFE", QStringLiteral("bad\\xfe")},
      {"caf\xE9.jpg", QStringLiteral("caf\\xe9.jpg")},
      {"\xC3(", QStringLiteral("\\xc3(")},
      // A name holding an escape's text keeps its backslashes apart.
      {"\\xff", QStringLiteral("\\\\xff")},
      {"\\\xFF", QStringLiteral("\\\\\\xff")},
      {"\\\\x41", QStringLiteral("\\\\\\\\x41")},
      {"a\\b\\", QStringLiteral("a\\b\\")},
  };
  for (const auto& c : cases) EXPECT_EQ(RowText(c.bytes), c.shown) << c.bytes;
}

// Every byte string up to four pieces long over pieces that meet at the
// edges of the rules: no two are shown alike, none is shown with a
// character that breaks or reorders a row, and text without controls or
// escapes is shown as DisplayText shows it.
TEST(RowTextTest, ShowsEveryNameApartAndOnOneRow) {
  const std::vector<std::string> pieces = {
      "x",  "\\",           "a",        "\xFF",         "\x9D", "\xC2", "\xC2\x9D", "\n",
      "ff", "\xE2\x80\xAE", "\xC3\xA9", "\xEF\xBF\xBD", "\x80"};
  std::map<QString, std::string> seen;
  std::set<std::string> distinct;
  std::vector<std::string> names = {""};
  for (int length = 1; length <= 4; ++length) {
    std::vector<std::string> longer;
    for (const std::string& name : names)
      for (const std::string& piece : pieces) longer.push_back(name + piece);
    for (const std::string& name : longer) {
      distinct.insert(name);
      const QString shown = RowText(name);
      const auto [where, added] = seen.emplace(shown, name);
      ASSERT_TRUE(added || where->second == name) << "shown alike: " << kalvenor::HexEscapes(name)
                                                  << " and " << kalvenor::HexEscapes(where->second);
      for (const QChar c : shown) {
        const char16_t u = c.unicode();
        ASSERT_FALSE(u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029 ||
                     (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            << kalvenor::HexEscapes(name);
      }
      const bool plain = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
                                 .toUtf8()
                                 .toStdString() == name &&
                         name.find_first_of("\n\x80\x9D") == std::string::npos &&
                         name.find("\xE2\x80\xAE") == std::string::npos &&
                         name.find("\\x") == std::string::npos;
      if (plain) {
        EXPECT_EQ(shown, DisplayText(name)) << kalvenor::HexEscapes(name);
      }
    }
    names = std::move(longer);
  }
  EXPECT_EQ(seen.size(), distinct.size());
}

}  // namespace
