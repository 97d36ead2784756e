#include "hidden_files.h"

#include <gtest/gtest.h>

#include "file_name.h"

namespace kalvenor {
namespace {

TEST(HiddenFilesTest, DotNamesAndTheFilesOtherSystemsHideAreHidden) {
  const struct {
    const char* name;
    bool hidden;
  } cases[] = {
      {".DS_Store", true},
      {"._IMG_0001.jpg", true},
      {".nomedia", true},
      {".", true},
      {"Thumbs.db", true},
      {"THUMBS.DB", true},
      {"thumbs.db", true},
      {"ehthumbs.db", true},
      {"ehthumbs_vista.db", true},
      {"desktop.ini", true},
      {"Desktop.ini", true},
      {"Icon\r", true},
      {"Icon", false},
      {"icon\r", false},
      {"Thumbs.db.jpg", false},
      {"my.Thumbs.db", false},
      {"desktop.ini~", false},
      {"a.jpg", false},
      {"IMG_0001.JPG", false},
      {"x.DS_Store", false},
      {"Th\xc3\xbcmbs.db", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsHiddenFileName(c.name), c.hidden) << c.name;
}

TEST(HiddenFilesTest, SetAsideKeepsTheOrderOfTheOthersAndNamesTheHidden) {
  std::vector<FileEntry> entries;
  for (const char* name : {"b.jpg", ".DS_Store", "a.jpg", "Thumbs.db", "c.png", ".x"}) {
    NameParts parts = SplitFileName(name);
    entries.push_back({name, parts.stem, parts.ext, 0, {}});
  }
  std::vector<std::string> kept = {"subfolder"};
  SetAsideHiddenFiles(entries, kept);
  std::vector<std::string> left;
  for (const FileEntry& entry : entries) left.push_back(entry.name);
  EXPECT_EQ(left, (std::vector<std::string>{"b.jpg", "a.jpg", "c.png"}));
  EXPECT_EQ(kept, (std::vector<std::string>{"subfolder", ".DS_Store", "Thumbs.db", ".x"}));
}

}  // namespace
}  // namespace kalvenor
