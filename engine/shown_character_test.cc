#include "shown_character.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvenor {
namespace {

TEST(FirstShownCharacter, TellsTheCharactersThatActFromThoseThatShow) {
  const struct {
    std::string text;
    std::size_t length;
    bool escapedAlways;  // whatever BadBytes says
    bool escapedAsBadByte;
  } cases[] = {
      {"a", 1, false, false},
      {" ", 1, false, false},
      {"\\x", 1, false, false},
      {std::string(1, '\0'), 1, true, true},
      {"\n", 1, true, true},
      {"\x1b[2J", 1, true, true},
      {"\x7f", 1, true, true},
      {"\xc3\xa9t\xc3\xa9", 2, false, false},     // é
      {"\xc2\xa0", 2, false, false},              // U+00A0, first after C1
      {"\xc2\x80", 2, true, true},                // U+0080
      {"\xc2\x9d", 2, true, true},                // U+009D, OSC
      {"\xc2\x9f", 2, true, true},                // U+009F
      {"\x9d", 1, true, true},                    // raw OSC byte
      {"\x80", 1, true, true},                    // lone continuation byte
      {"\xa0", 1, false, true},                   // a bad byte outside C1
      {"\xff\xfe", 1, false, true},               // never in UTF-8
      {"\xc3", 1, false, true},                   // cut short
      {"\xc3(", 1, false, true},                  // not followed by a continuation
      {"\xc0\x9d", 1, false, true},               // overlong form of U+001D
      {"\xe0\x80\xaf", 1, false, true},           // overlong '/'
      {"\xed\xa0\x80", 1, false, true},           // a surrogate
      {"\xf4\x90\x80\x80", 1, false, true},       // above U+10FFFF
      {"\xf0\x9f\x93\xb7.jpg", 4, false, false},  // a camera, U+1F4F7
      {"\xe2\x80\xa8", 3, true, true},            // line separator
      {"\xe2\x80\xa9", 3, true, true},            // paragraph separator
      {"\xe2\x80\xaa", 3, true, true},            // LRE
      {"\xe2\x80\xae", 3, true, true},            // RLO
      {"\xe2\x80\xaf", 3, false, false},          // U+202F, a space
      {"\xe2\x81\xa5", 3, false, false},          // U+2065, unassigned
      {"\xe2\x81\xa6", 3, true, true},            // LRI
      {"\xe2\x81\xa9", 3, true, true},            // PDI
      {"\xe2\x81\xaa", 3, false, false},          // U+206A
      {"\xef\xbf\xbd", 3, false, false},          // a real replacement character
  };
  for (const auto& c : cases) {
    for (const BadBytes bad : {BadBytes::AsThemselves, BadBytes::Escaped}) {
      const ShownCharacter shown = FirstShownCharacter(c.text, bad);
      EXPECT_EQ(shown.length, c.length) << HexEscapes(c.text);
      EXPECT_EQ(shown.escaped, bad == BadBytes::Escaped ? c.escapedAsBadByte : c.escapedAlways)
          << HexEscapes(c.text);
    }
  }
}

TEST(HexEscapes, WritesEveryByteAsTwoLowerCaseDigits) {
  EXPECT_EQ(HexEscapes(""), "");
  EXPECT_EQ(HexEscapes(std::string("\0\n\x9d\xe2\x80\xae\xff", 7)),
            "\\x00\\x0a\\x9d\\xe2\\x80\\xae\\xff");
}

}  // namespace
}  // namespace kalvenor
