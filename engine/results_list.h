// The Results list a run writes to: lines in the order added, never sorted.
// The desktop form implements it with a list widget, the command-line tool
// and the tests with a plain vector.
#pragma once

#include <string>

namespace kalvenor {

class ResultsList {
 public:
  virtual ~ResultsList() = default;

  virtual void Clear() = 0;
  // Appends one line; the bytes are kept as given (names need not be UTF-8).
  virtual void AddLine(const std::string& line) = 0;
  virtual int Count() const = 0;
  // Scrolls so that line `index` is the top visible line, as far as the list can.
  virtual void ScrollToTop(int index) = 0;
  // Holds (false) or resumes (true) repainting; calls do not nest.
  virtual void SetRedraw(bool on) = 0;
};

// Holds a list's repainting for the life of the guard.
class RedrawHold {
 public:
  explicit RedrawHold(ResultsList& list) : list_(list) { list_.SetRedraw(false); }
  ~RedrawHold() { list_.SetRedraw(true); }
  RedrawHold(const RedrawHold&) = delete;
  RedrawHold& operator=(const RedrawHold&) = delete;

 private:
  ResultsList& list_;
};

}  // namespace kalvenor
