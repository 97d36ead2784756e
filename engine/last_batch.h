// The record of the last batch: for each file the last commit run renamed,
// its full path before and after, in the order the renames succeeded. Both
// lists always have the same length. Read back from a log, it also names
// the empty reservations a crash left under the batch's names, which the
// undo removes. It lives in memory only; the owner (the
// form, or the command-line tool for one run) keeps it between runs.
//
// A plain value whose copies are cheap: copies share the paths until one of
// them is changed, so that a batch of thousands of files goes to a worker
// and back (and into a signal) without copying every path. A copy may be
// read or changed on another thread than the one it was copied from.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kalvenor {

class LastBatch {
 public:
  void Clear() { m_paths.reset(); }
  void Add(std::string oldPath, std::string newPath) {
    Paths& paths = Own();
    paths.oldPaths.push_back(std::move(oldPath));
    paths.newPaths.push_back(std::move(newPath));
  }
  bool Empty() const { return Size() == 0; }
  std::size_t Size() const { return m_paths ? m_paths->oldPaths.size() : 0; }
  const std::vector<std::string>& OldPaths() const { return Read().oldPaths; }
  const std::vector<std::string>& NewPaths() const { return Read().newPaths; }
  void AddLeftover(std::string path) { Own().leftovers.push_back(std::move(path)); }
  const std::vector<std::string>& Leftovers() const { return Read().leftovers; }

 private:
  struct Paths {
    std::vector<std::string> oldPaths;
    std::vector<std::string> newPaths;
    std::vector<std::string> leftovers;
  };

  const Paths& Read() const {
    static const Paths kNone;
    return m_paths ? *m_paths : kNone;
  }
  // The paths of this copy alone, made its own before a change. A count of
  // one cannot grow meanwhile: no other copy is left to copy from.
  Paths& Own() {
    if (!m_paths) {
      m_paths = std::make_shared<Paths>();
    } else if (m_paths.use_count() > 1) {
      m_paths = std::make_shared<Paths>(*m_paths);
    }
    return *m_paths;
  }

  std::shared_ptr<Paths> m_paths;
};

}  // namespace kalvenor
