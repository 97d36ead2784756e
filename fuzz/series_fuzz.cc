// The series test against the names the series gives: a file named by
// NewFileName is found again with its index by SeriesIndex, before or
// after the base name and with the base name's ASCII case changed; other
// base names and the other side do not claim it wrongly.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "file_entry.h"
#include "file_name.h"
#include "fuzz_check.h"
#include "rename_plan.h"

namespace {

kalvenor::FileEntry Entry(const std::string& name) {
  kalvenor::NameParts parts = kalvenor::SplitFileName(name);
  return {name, parts.stem, parts.ext, 0, {}};
}

}  // namespace

// NOLINTNEXTLINE(readability-identifier-naming): the name libFuzzer calls
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int index = (data[0] << 8 | data[1]) % kalvenor::kIndexLimit;
  const bool postfix = (data[2] & 1) != 0;
  // The rest: the base name, then after a '.' the extension. Plain names
  // only: no dot, slash or NUL in either part.
  const std::string_view rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::size_t dot = rest.find('.');
  const std::string base(rest.substr(0, dot));
  const std::string ext(dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1));
  if (base.empty()) return 0;  // the tool asks for a base name
  for (const std::string* part : {&base, &ext})
    if (part->find_first_of(std::string_view("./\0", 3)) != std::string::npos) return 0;

  const std::string name = kalvenor::NewFileName(index, base, ext, postfix);
  FUZZ_CHECK(kalvenor::SeriesIndex(Entry(name), base, postfix) == index);
  std::string otherCase = base;
  for (char& c : otherCase)
    c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c)
                                                                      : std::toupper(c));
  FUZZ_CHECK(kalvenor::SeriesIndex(Entry(name), otherCase, postfix) == index);
  // Whatever a name is claimed for, the series writes that name back (up
  // to the case of the base name).
  if (const auto found = kalvenor::SeriesIndex(Entry(name), base, !postfix)) {
    FUZZ_CHECK(*found >= 0 && *found < kalvenor::kIndexLimit);
    FUZZ_CHECK(kalvenor::NewFileName(*found, base, ext, !postfix).size() == name.size());
  }
  return 0;
}
