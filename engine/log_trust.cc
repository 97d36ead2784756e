#include "log_trust.h"

namespace kalvenor {

std::optional<std::string> LogDistrust(const LogFileFacts& facts, std::uint32_t userId) {
  if (facts.storesModes && (facts.permissions & 022) != 0) {
    return "users other than its owner may write to it";
  }
  if (facts.owner != userId && facts.owner != 0) return "it belongs to another user";
  return std::nullopt;
}

}  // namespace kalvenor
