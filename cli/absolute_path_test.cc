#include "absolute_path.h"

#include <gtest/gtest.h>

namespace kalvenor {
namespace {

TEST(MakeAbsolutePath, JoinsRelativePathsToTheCurrentFolder) {
  EXPECT_EQ(MakeAbsolutePath("photos", "/home/ann"), "/home/ann/photos");
  EXPECT_EQ(MakeAbsolutePath("photos/2026/", "/home/ann"), "/home/ann/photos/2026/");
  EXPECT_EQ(MakeAbsolutePath("./rename.log", "/home/ann"), "/home/ann/rename.log");
  EXPECT_EQ(MakeAbsolutePath(".", "/home/ann"), "/home/ann");
  EXPECT_EQ(MakeAbsolutePath("photos", "/"), "/photos");
}

TEST(MakeAbsolutePath, KeepsAbsolutePathsAndDotDot) {
  EXPECT_EQ(MakeAbsolutePath("/srv/photos", "/home/ann"), "/srv/photos");
  EXPECT_EQ(MakeAbsolutePath("//srv/./photos//", "/home/ann"), "/srv/photos/");
  // ".." is not folded away: past a symbolic link that would name another folder.
  EXPECT_EQ(MakeAbsolutePath("../x", "/home/ann/link"), "/home/ann/link/../x");
  EXPECT_EQ(MakeAbsolutePath("/", "/home/ann"), "/");
  EXPECT_EQ(MakeAbsolutePath("", "/home/ann"), "");
}

TEST(MakeAbsolutePath, KeepsNamesWithOddBytes) {
  EXPECT_EQ(MakeAbsolutePath("a b\n\xff", "/t"), "/t/a b\n\xff");
  EXPECT_EQ(MakeAbsolutePath("-dash", "/t"), "/t/-dash");
}

}  // namespace
}  // namespace kalvenor
