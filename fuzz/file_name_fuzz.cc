// SplitFileName on any name: the parts put together again give the name,
// split at its last dot.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "file_name.h"
#include "fuzz_check.h"

// NOLINTNEXTLINE(readability-identifier-naming): the name libFuzzer calls
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  const kalvenor::NameParts parts = kalvenor::SplitFileName(name);
  FUZZ_CHECK(parts.ext.find('.') == std::string::npos);
  if (name.find('.') == std::string_view::npos) {
    FUZZ_CHECK(parts.stem == name && parts.ext.empty());
  } else {
    FUZZ_CHECK(parts.stem + "." + parts.ext == name);
  }
  return 0;
}
