// The record of the last batch: for each file the last commit run renamed,
// its full path before and after, in the order the renames succeeded. Both
// lists always have the same length. Read back from a log, it also names
// the empty reservations a crash left under the batch's names, which the
// undo removes. It lives in memory only; the owner (the
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
    m_leftovers.clear();
  }
  void Add(std::string oldPath, std::string newPath) {
    m_oldPaths.push_back(std::move(oldPath));
    m_newPaths.push_back(std::move(newPath));
  }
  bool Empty() const { return m_oldPaths.empty(); }
  std::size_t Size() const { return m_oldPaths.size(); }
  const std::vector<std::string>& OldPaths() const { return m_oldPaths; }
  const std::vector<std::string>& NewPaths() const { return m_newPaths; }
  void AddLeftover(std::string path) { m_leftovers.push_back(std::move(path)); }
  const std::vector<std::string>& Leftovers() const { return m_leftovers; }

 private:
  std::vector<std::string> m_oldPaths;
  std::vector<std::string> m_newPaths;
  std::vector<std::string> m_leftovers;
};

}  // namespace kalvenor
