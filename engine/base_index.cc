#include "base_index.h"

#include "rename_plan.h"

namespace kalvenor {

std::optional<int> ParseIndexDigits(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    // Stop growing once out of range, so that long digit runs cannot overflow.
    if (value > kMaxBaseIndex) return std::nullopt;
  }
  return value;
}

int ParseBaseIndex(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return 0;
  return ParseIndexDigits(text.substr(start)).value_or(0);
}

}  // namespace kalvenor
