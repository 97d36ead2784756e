// The log reader on any text, and the log's path escapes on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "log_format.h"
#include "log_history.h"

// NOLINTNEXTLINE(readability-identifier-naming): the name libFuzzer calls
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // Escaping keeps a path on one line and reads back to the same bytes.
  const std::string escaped = kalvenor::EscapeLogPath(text);
  FUZZ_CHECK(escaped.find('\n') == std::string::npos && escaped.find('\r') == std::string::npos);
  const auto back = kalvenor::UnescapeLogPath(escaped);
  FUZZ_CHECK(back && *back == text);
  // Text that reads as escaped is the escape of what it reads as, once its
  // raw line breaks are escaped too.
  if (const auto unescaped = kalvenor::UnescapeLogPath(text)) {
    FUZZ_CHECK(kalvenor::UnescapeLogPath(kalvenor::EscapeLogPath(*unescaped)) == unescaped);
  }

  // A log is read whole or refused whole; what it reads are absolute paths
  // in one folder.
  const kalvenor::LogHistory history = kalvenor::ReadLogHistory(text);
  if (history.error) FUZZ_CHECK(history.batches.empty() && !history.error->empty());
  for (const kalvenor::LoggedBatch& batch : history.batches) {
    for (const kalvenor::LoggedPair& pair : batch.pairs) {
      FUZZ_CHECK(!pair.oldPath.empty() && pair.oldPath.front() == '/');
      FUZZ_CHECK(!pair.newPath.empty() && pair.newPath.front() == '/');
      FUZZ_CHECK(pair.oldPath.substr(0, pair.oldPath.rfind('/')) ==
                 pair.newPath.substr(0, pair.newPath.rfind('/')));
    }
  }
  return 0;
}
