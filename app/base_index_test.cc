#include "base_index.h"

#include <gtest/gtest.h>

namespace kalvenor {
namespace {

TEST(ParseBaseIndexTest, NumbersFromZeroToTheLimitAreTaken) {
  EXPECT_EQ(ParseBaseIndex("0"), 0);
  EXPECT_EQ(ParseBaseIndex("7"), 7);
  EXPECT_EQ(ParseBaseIndex("9999"), 9999);
  EXPECT_EQ(ParseBaseIndex("0042"), 42);
}

TEST(ParseBaseIndexTest, LeadingBlanksAreSkipped) {
  EXPECT_EQ(ParseBaseIndex("  12"), 12);
  EXPECT_EQ(ParseBaseIndex("\t 5"), 5);
}

TEST(ParseBaseIndexTest, EverythingElseGivesZero) {
  EXPECT_EQ(ParseBaseIndex("10000"), 0);
  EXPECT_EQ(ParseBaseIndex("-1"), 0);
  EXPECT_EQ(ParseBaseIndex("+3"), 0);
  EXPECT_EQ(ParseBaseIndex("abc"), 0);
  EXPECT_EQ(ParseBaseIndex("12abc"), 0);
  EXPECT_EQ(ParseBaseIndex("12 "), 0);
  EXPECT_EQ(ParseBaseIndex(""), 0);
  EXPECT_EQ(ParseBaseIndex("   "), 0);
  // Far beyond any integer type: must not overflow into a small number.
  EXPECT_EQ(ParseBaseIndex("4294967297"), 0);
  EXPECT_EQ(ParseBaseIndex("99999999999999999999999"), 0);
}

}  // namespace
}  // namespace kalvenor
