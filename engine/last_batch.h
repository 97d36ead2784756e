// The record of the last batch: for each file the last commit run renamed,
// its full path before and after, in the order the renames succeeded. Both
// lists always have the same length. It lives in memory only; the owner (the
// form, or the command-line tool for one run) keeps it between runs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kalvenor {

class LastBatch {
 public:
  void Clear() {
    m_oldPaths.clear();
    m_newPaths.clear();
  }
  void Add(std::string oldPath, std::string newPath) {
    m_oldPaths.push_back(std::move(oldPath));
    m_newPaths.push_back(std::move(newPath));
  }
  bool Empty() const { return m_oldPaths.empty(); }
  std::size_t Size() const { return m_oldPaths.size(); }
  const std::vector<std::string>& OldPaths() const { return m_oldPaths; }
  const std::vector<std::string>& NewPaths() const { return m_newPaths; }

 private:
  std::vector<std::string> m_oldPaths;
  std::vector<std::string> m_newPaths;
};

}  // namespace kalvenor
