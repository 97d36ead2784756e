#include "base_index.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace kalvenor {
namespace {

// Each text as the tool's strict rule and the window's lenient rule read it.
TEST(BaseIndexTest, StrictAndLenientRulesOnOneParser) {
  struct Case {
    std::string_view text;
    std::optional<int> strict;
    int lenient;
  };
  const Case cases[] = {
      {"0", 0, 0},
      {"7", 7, 7},
      {"9999", 9999, 9999},
      {"0042", 42, 42},
      {"  12", std::nullopt, 12},  // the window skips leading blanks
      {"\t 5", std::nullopt, 5},
      {"10000", std::nullopt, 0},
      {"-1", std::nullopt, 0},
      {"+3", std::nullopt, 0},
      {"abc", std::nullopt, 0},
      {"12abc", std::nullopt, 0},
      {"12 ", std::nullopt, 0},
      {"", std::nullopt, 0},
      {"   ", std::nullopt, 0},
      // Far beyond any integer type: must not overflow into a small number.
      {"4294967297", std::nullopt, 0},
      {"99999999999999999999999", std::nullopt, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseIndexDigits(c.text), c.strict) << '"' << c.text << '"';
    EXPECT_EQ(ParseBaseIndex(c.text), c.lenient) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace kalvenor
