#include "display_text.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <string>
#include <vector>

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

}  // namespace
