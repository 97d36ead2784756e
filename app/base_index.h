// Reading the Base Index box. The box accepts any text; Start takes from it
// a number for the lowest index a new name may get, and never complains.
#pragma once

#include <string_view>

namespace kalvenor {

// Leading blanks are skipped, then one or more decimal digits must run to
// the end of the text. Anything else (a sign, letters, trailing characters,
// an empty text) and every number above 9999 give 0.
int ParseBaseIndex(std::string_view text);

}  // namespace kalvenor
