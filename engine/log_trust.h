// Whether a log may be trusted to undo from: its lines name files to
// rename, so a log that another user may have written could make the
// caller rename any file of theirs. Judged from what the file system can
// tell: the log's owner and, where it keeps them, its permission bits. A
// card's file system keeps none (every file shows the bits it was mounted
// with), so there the owner alone decides. A commit judges its own log the
// same way before its first rename, so that a batch whose log a later undo
// would refuse is known at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "file_system.h"

namespace kalvenor {

// Why a log with these facts is no record of the user `userId` (nullopt
// when it is one): "users other than its owner may write to it" or "it
// belongs to another user" (neither the user nor root).
std::optional<std::string> LogDistrust(const LogFileFacts& facts, std::uint32_t userId);

}  // namespace kalvenor
