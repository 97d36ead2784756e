// Names and paths are bytes; before they are shown, on a terminal or in a
// row of a list, the characters that would act instead of being seen are
// told apart here, once for every place that shows a name. Such a character
// is shown as an escape of its bytes, each place in its own notation:
//  - the C0 controls (0x00 to 0x1f) and DEL (0x7f);
//  - the C1 controls, U+0080 to U+009F, and the bytes 0x80 to 0x9f where
//    they stand outside well-formed UTF-8 (an 8-bit terminal obeys them);
//  - the characters that break a line (U+2028, U+2029) or reorder the text
//    around them (the bidirectional embeddings and overrides U+202A to
//    U+202E, the isolates U+2066 to U+2069);
//  - and, when asked for, every byte outside well-formed UTF-8, which a
//    list would otherwise show as one replacement character for all.
// Everything else is shown as itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvenor {

// One character of a byte string as it is shown: its length in bytes (1
// for a byte that begins no well-formed UTF-8 sequence) and whether it must
// be shown as an escape of those bytes.
struct ShownCharacter {
  std::size_t length = 1;
  bool escaped = false;
};

enum class BadBytes {
  AsThemselves,  // outside 0x80 to 0x9f: the terminal shows its own sign for them
  Escaped,
};

// The first character of `text`, which must not be empty.
ShownCharacter FirstShownCharacter(std::string_view text, BadBytes badBytes);

// `bytes` as "\xhh" each (two lower-case hex digits): how every place
// shows an escaped character.
std::string HexEscapes(std::string_view bytes);

}  // namespace kalvenor
