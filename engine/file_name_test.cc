#include "file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvenor {
namespace {

TEST(SplitFileNameTest, SplitsAtTheLastDot) {
  EXPECT_EQ(SplitFileName("archive.tar.gz").stem, "archive.tar");
  EXPECT_EQ(SplitFileName("archive.tar.gz").ext, "gz");
  EXPECT_EQ(SplitFileName("README").stem, "README");
  EXPECT_EQ(SplitFileName("README").ext, "");
  EXPECT_EQ(SplitFileName(".profile").stem, "");
  EXPECT_EQ(SplitFileName(".profile").ext, "profile");
  EXPECT_EQ(SplitFileName("dot.").stem, "dot");
  EXPECT_EQ(SplitFileName("dot.").ext, "");
  // Multi-byte UTF-8 never contains the byte '.', invalid bytes are kept.
  EXPECT_EQ(SplitFileName("caf\xc3\xa9.\xff").stem, "caf\xc3\xa9");
  EXPECT_EQ(SplitFileName("caf\xc3\xa9.\xff").ext, "\xff");
}

TEST(AppendSeparatorTest, AddsOneSlashOnlyWhenMissing) {
  std::string root = "/";
  AppendSeparator(root);
  EXPECT_EQ(root, "/");
  std::string photos = "/home/u/Photos";
  AppendSeparator(photos);
  EXPECT_EQ(photos, "/home/u/Photos/");
  AppendSeparator(photos);
  EXPECT_EQ(photos, "/home/u/Photos/");
}

TEST(PathTextTest, JoinStripAndUnderARoot) {
  EXPECT_EQ(JoinPath("/home/u", "a.jpg"), "/home/u/a.jpg");
  EXPECT_EQ(JoinPath("/home/u/", "a.jpg"), "/home/u/a.jpg");
  EXPECT_EQ(JoinPath("/", "a.jpg"), "/a.jpg");
  EXPECT_EQ(JoinPath("", "a.jpg"), "a.jpg");
  EXPECT_EQ(StripTrailingSeparators("/home/u//"), "/home/u");
  EXPECT_EQ(StripTrailingSeparators("/"), "/");
  EXPECT_EQ(StripTrailingSeparators("//"), "/");
  EXPECT_EQ(StripTrailingSeparators("rel"), "rel");
  struct Case {
    const char* path;
    const char* root;
    bool below;
  };
  const Case cases[] = {
      {"/a/b", "/a/b", true}, {"/a/b/c", "/a/b", true}, {"/a/bc", "/a/b", false},
      {"/a", "/a/b", false},  {"/x", "/", true},        {"/", "/", true},
      {"/a/b", "", false},    {"rel", "/", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAtOrBelow(c.path, c.root), c.below) << c.path << " under " << c.root;
  }
}

TEST(SplitPathTest, SplitsAtTheLastSlash) {
  EXPECT_EQ(SplitPath("/p/0001Holiday.").folder, "/p");
  EXPECT_EQ(SplitPath("/p/0001Holiday.").name, "0001Holiday.");
  EXPECT_EQ(SplitPath("name.jpg").folder, "");
  EXPECT_EQ(SplitPath("name.jpg").name, "name.jpg");
  EXPECT_EQ(SplitPath("/top").folder, "");
  EXPECT_EQ(SplitPath("/top").name, "top");
}

TEST(IsPlainFileNameTest, RejectsWhatCannotBeOneEntry) {
  EXPECT_TRUE(IsPlainFileName("0001Holiday.jpg"));
  EXPECT_TRUE(IsPlainFileName("-rf \"x\"\nnew line"));
  EXPECT_FALSE(IsPlainFileName(""));
  EXPECT_FALSE(IsPlainFileName("."));
  EXPECT_FALSE(IsPlainFileName(".."));
  EXPECT_FALSE(IsPlainFileName("0001a/b.jpg"));
  EXPECT_FALSE(IsPlainFileName(std::string("0001a\0b.jpg", 11)));
  EXPECT_TRUE(IsPlainFileName(std::string(255, 'x')));
  EXPECT_FALSE(IsPlainFileName(std::string(256, 'x')));
}

}  // namespace
}  // namespace kalvenor
