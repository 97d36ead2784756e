#include "absolute_path.h"

#include <string_view>

#include "file_name.h"

namespace kalvenor {

std::string MakeAbsolutePath(const std::string& path, const std::string& cwd) {
  if (path.empty()) return {};
  const std::string joined = path.front() == '/' ? path : JoinPath(cwd, path);
  const bool trailingSlash = path.back() == '/';

  std::string result;
  std::string_view rest = joined;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    result += '/';
    result += part;
  }
  if (result.empty()) return "/";
  if (trailingSlash) result += '/';
  return result;
}

}  // namespace kalvenor
