#include "base_index.h"

namespace kalvenor {

int ParseBaseIndex(std::string_view text) {
  constexpr int kMaxIndex = 9999;
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  if (pos == text.size()) return 0;
  int value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
    // Stop growing once out of range, so that long digit runs cannot overflow.
    if (value > kMaxIndex) return 0;
  }
  return value;
}

}  // namespace kalvenor
