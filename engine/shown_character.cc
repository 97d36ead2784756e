#include "shown_character.h"

namespace kalvenor {
namespace {

// The code point and length of the well-formed UTF-8 sequence at the start
// of `text` (no overlong forms, no surrogates, nothing above U+10FFFF);
// length 0 when there is none.
struct Decoded {
  char32_t codePoint = 0;
  std::size_t length = 0;
};

// The lead bytes of the sequences of each length, and the least code point
// each length may carry.
struct SequenceForm {
  unsigned char firstLead, lastLead, leadBits;
  std::size_t length;
  char32_t lowest;
};
constexpr SequenceForm kForms[] = {
    {0xc2, 0xdf, 0x1f, 2, 0x80},
    {0xe0, 0xef, 0x0f, 3, 0x800},
    {0xf0, 0xf4, 0x07, 4, 0x10000},
};

Decoded DecodeUtf8(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(0) < 0x80) return {byte(0), 1};
  for (const SequenceForm& form : kForms) {
    if (byte(0) < form.firstLead || byte(0) > form.lastLead) continue;
    if (text.size() < form.length) return {};
    char32_t codePoint = byte(0) & form.leadBits;
    for (std::size_t i = 1; i < form.length; ++i) {
      if ((byte(i) & 0xc0u) != 0x80) return {};
      codePoint = (codePoint << 6) | (byte(i) & 0x3fu);
    }
    const bool surrogate = codePoint >= 0xd800 && codePoint <= 0xdfff;
    if (codePoint < form.lowest || codePoint > 0x10ffff || surrogate) return {};
    return {codePoint, form.length};
  }
  return {};
}

bool ActsInsteadOfShowing(char32_t c) {
  return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029 ||
         (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

ShownCharacter FirstShownCharacter(std::string_view text, BadBytes badBytes) {
  const Decoded decoded = DecodeUtf8(text);
  if (decoded.length == 0) {
    const auto byte = static_cast<unsigned char>(text.front());
    return {1, badBytes == BadBytes::Escaped || byte <= 0x9f};
  }
  return {decoded.length, ActsInsteadOfShowing(decoded.codePoint)};
}

std::string HexEscapes(std::string_view bytes) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(4 * bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xf];
  }
  return out;
}

}  // namespace kalvenor
