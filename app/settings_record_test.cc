#include "settings_record.h"

#include <gtest/gtest.h>
#include <QSettings>
#include <filesystem>

#include "app_test_support.h"

namespace {

class SettingsRecordTest : public ::testing::Test {
 protected:
  QString File() const { return QString::fromStdString(m_dir.Join("Kalvenor.conf")); }
  SettingsRecord Load() {
    QSettings store(File(), QSettings::IniFormat);
    return LoadSettings(store, "/work/dir");
  }
  void WriteRaw(const std::string& text) { m_dir.MakeFile("Kalvenor.conf", text); }

  apptest::TempDir m_dir;
};

TEST_F(SettingsRecordTest, EmptyStoreGivesTheDefaults) {
  const SettingsRecord record = Load();
  EXPECT_EQ(record.dir, "/work/dir");
  EXPECT_EQ(record.log, "");
  EXPECT_EQ(record.gaps, 1);
  EXPECT_EQ(record.sort, 0);
  EXPECT_EQ(record.ascending, 1);
  EXPECT_EQ(record.postfix, 1);
  EXPECT_EQ(record.sets, 0);
  EXPECT_EQ(record.keepHidden, 0);
  EXPECT_EQ(record.windowWidth, 0);
  EXPECT_EQ(record.windowHeight, 0);
  EXPECT_EQ(record.windowMaximized, 0);
  EXPECT_EQ(record.split, 0);
}

TEST_F(SettingsRecordTest, SavedValuesComeBackAndLandInTheSettingsGroup) {
  SettingsRecord saved;
  saved.dir = "/photos/2026";
  saved.log = "/home/me/rename.log";
  saved.gaps = 0;
  saved.sort = 2;
  saved.ascending = 0;
  saved.postfix = 0;
  saved.sets = 1;
  saved.keepHidden = 1;
  saved.windowWidth = 1200;
  saved.windowHeight = 800;
  saved.windowMaximized = 1;
  saved.split = 700;
  {
    QSettings store(File(), QSettings::IniFormat);
    SaveSettings(saved, store);
  }
  const SettingsRecord loaded = Load();
  EXPECT_EQ(loaded.dir, saved.dir);
  EXPECT_EQ(loaded.log, saved.log);
  const std::string text = m_dir.Read("Kalvenor.conf");
  EXPECT_NE(text.find("[Settings]"), std::string::npos);
  EXPECT_NE(text.find("Dir=/photos/2026"), std::string::npos);
  const struct {
    std::int32_t SettingsRecord::*member;
    const char* stored;
  } integers[] = {{&SettingsRecord::gaps, "Gaps=0"},
                  {&SettingsRecord::sort, "Sort=2"},
                  {&SettingsRecord::ascending, "Ascending=0"},
                  {&SettingsRecord::postfix, "Postfix=0"},
                  {&SettingsRecord::sets, "Sets=1"},
                  {&SettingsRecord::keepHidden, "KeepHidden=1"},
                  {&SettingsRecord::windowWidth, "WindowWidth=1200"},
                  {&SettingsRecord::windowHeight, "WindowHeight=800"},
                  {&SettingsRecord::windowMaximized, "WindowMaximized=1"},
                  {&SettingsRecord::split, "Split=700"}};
  for (const auto& entry : integers) {
    EXPECT_EQ(loaded.*entry.member, saved.*entry.member) << entry.stored;
    EXPECT_NE(text.find(entry.stored), std::string::npos) << entry.stored;
  }
}

TEST_F(SettingsRecordTest, PresentEmptyDirStaysEmpty) {
  WriteRaw("[Settings]\nDir=\nLog=\n");
  const SettingsRecord record = Load();
  EXPECT_EQ(record.dir, "");
  EXPECT_EQ(record.log, "");
}

TEST_F(SettingsRecordTest, ValuesOfTheWrongTypeGiveTheirDefaults) {
  WriteRaw(
      "[Settings]\nDir=a, b, c\nGaps=lots\nSort=2.5\nAscending=99999999999\n"
      "Postfix=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\aQPointF\\0@\\0\\0\\0\\0\\0\\0\\0@\\0\\0\\0\\0\\0\\0\\0)\n"
      "Log=/kept.log\nSets=yes\nKeepHidden=\nSplit=1e3\n");
  const SettingsRecord record = Load();
  EXPECT_EQ(record.dir, "/work/dir");  // a list, not one path
  EXPECT_EQ(record.gaps, 1);
  EXPECT_EQ(record.sort, 0);
  EXPECT_EQ(record.ascending, 1);
  EXPECT_EQ(record.postfix, 1);
  EXPECT_EQ(record.sets, 0);
  EXPECT_EQ(record.keepHidden, 0);
  EXPECT_EQ(record.split, 0);
  EXPECT_EQ(record.log, "/kept.log");  // the good value next to them is read
}

TEST_F(SettingsRecordTest, NegativeAndOddIntegersAreKeptAsStored) {
  WriteRaw("[Settings]\nSort=-4\nGaps=2\n");
  const SettingsRecord record = Load();
  EXPECT_EQ(record.sort, -4);
  EXPECT_EQ(record.gaps, 2);
}

TEST_F(SettingsRecordTest, UnreadableStoreGivesTheDefaults) {
  m_dir.MakeDir("Kalvenor.conf");  // a folder where the file should be
  const SettingsRecord record = Load();
  EXPECT_EQ(record.dir, "/work/dir");
  EXPECT_EQ(record.gaps, 1);

  std::filesystem::remove(m_dir.Join("Kalvenor.conf"));  // now a file of bytes that are no settings
  WriteRaw(std::string("\xff\xfe\0\x01[Sett\nings\n=\n\x80\x81", 18));
  EXPECT_EQ(Load().postfix, 1);
}

TEST_F(SettingsRecordTest, PathsThatAreNotTextComeBackByteForByte) {
  SettingsRecord saved;
  saved.dir = "/photos/caf\xe9/\xff\xfe";
  saved.log = "/logs/\x80.log";
  {
    QSettings store(File(), QSettings::IniFormat);
    SaveSettings(saved, store);
  }
  const SettingsRecord loaded = Load();
  EXPECT_EQ(loaded.dir, saved.dir);
  EXPECT_EQ(loaded.log, saved.log);

  std::string path;
  EXPECT_TRUE(PathFromSetting(PathToSetting("/plain/caf\xc3\xa9"), path));
  EXPECT_EQ(path, "/plain/caf\xc3\xa9");
  EXPECT_EQ(PathToSetting("/plain/caf\xc3\xa9").typeId(), QMetaType::QString);
  EXPECT_FALSE(PathFromSetting(QVariant(), path));
}

}  // namespace
