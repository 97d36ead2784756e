// Small helpers on names and paths. A name is one directory entry's bytes; a
// folder path ends in '/' once AppendSeparator has run; a full path is a
// folder path followed by a name. In UTF-8 (and every ASCII-compatible
// encoding used on Linux) the bytes '.' and '/' never occur inside a
// multi-byte character, so plain byte searches are exact.
#pragma once

#include <string>
#include <string_view>

namespace kalvenor {

struct NameParts {
  std::string stem;  // before the last '.'; the whole name when it holds none
  std::string ext;   // after the last '.'; empty when the name holds none
};

NameParts SplitFileName(std::string_view name);

// Appends '/' unless `path` is empty or already ends in '/'.
void AppendSeparator(std::string& path);

struct PathParts {
  std::string folder;  // before the last '/', without it; empty when none
  std::string name;    // after the last '/'; the whole path when it holds none
};

PathParts SplitPath(std::string_view path);

// `folder` and `name` joined with exactly one '/' between them (none added
// when `folder` is empty or already ends in one).
std::string JoinPath(std::string_view folder, std::string_view name);

// `path` without the '/' at its end, however many; "/" stays "/".
std::string StripTrailingSeparators(std::string_view path);

// True when `path` is `root` itself or lies beneath it, judged by whole
// components ("/a/bc" is not beneath "/a/b"). Every absolute path lies
// beneath "/"; nothing lies beneath the empty root.
bool IsAtOrBelow(std::string_view path, std::string_view root);

// True when `name` can be one directory entry: not empty, not "." or "..",
// no '/' and no NUL byte, at most NAME_MAX bytes.
bool IsPlainFileName(std::string_view name);

}  // namespace kalvenor
