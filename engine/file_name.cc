#include "file_name.h"

#include <climits>

namespace kalvenor {

NameParts SplitFileName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {std::string(name), {}};
  return {std::string(name.substr(0, dot)), std::string(name.substr(dot + 1))};
}

void AppendSeparator(std::string& path) {
  if (!path.empty() && path.back() != '/') path.push_back('/');
}

PathParts SplitPath(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {{}, std::string(path)};
  return {std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  AppendSeparator(path);
  path.append(name);
  return path;
}

std::string StripTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return std::string(path);
}

bool IsAtOrBelow(std::string_view path, std::string_view root) {
  if (root.empty()) return false;
  if (root == "/") return path.starts_with('/');
  if (!path.starts_with(root)) return false;
  return path.size() == root.size() || path[root.size()] == '/';
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.size() > NAME_MAX) return false;
  return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

}  // namespace kalvenor
