// Reading a base index, the lowest index a new name may get: decimal digits
// only, 0 to kMaxBaseIndex. The command-line tool refuses anything else;
// the window's Base Index box accepts any text and never complains, so its
// rule is lenient on the same parser.
#pragma once

#include <optional>
#include <string_view>

namespace kalvenor {

// The value of `text` when it is one or more decimal digits whose value is
// at most kMaxBaseIndex; nullopt for anything else (an empty text, a sign,
// blanks, letters, a larger number). Long digit runs cannot overflow.
std::optional<int> ParseIndexDigits(std::string_view text);

// The window's rule: leading blanks (spaces, tabs) are skipped, then the
// rest is read by ParseIndexDigits; whatever it refuses gives 0.
int ParseBaseIndex(std::string_view text);

}  // namespace kalvenor
