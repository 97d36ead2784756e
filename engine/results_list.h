// The Results list a run writes to: lines in the order added, never sorted.
// The desktop form implements it with a list widget, the command-line tool
// and the tests with a plain vector.
#pragma once

#include <string>

#include "run_texts.h"

namespace kalvenor {

class ResultsList {
 public:
  virtual ~ResultsList() = default;

  virtual void Clear() = 0;
  // Appends one line; the bytes are kept as given (names need not be UTF-8).
  virtual void AddLine(const std::string& line) = 0;
  // Appends the line that closes a preview and says how to carry it out:
  // by default the window's "Click Continue to do the above.".
  virtual void AddPreviewClosingLine() { AddLine(std::string(kPreviewClosingLine)); }
  virtual int Count() const = 0;
  // Scrolls so that line `index` is the top visible line, as far as the list can.
  virtual void ScrollToTop(int index) = 0;
  // Holds (false) or resumes (true) repainting; calls do not nest.
  virtual void SetRedraw(bool on) = 0;
};

// Holds a list's repainting for the life of the guard.
class RedrawHold {
 public:
  explicit RedrawHold(ResultsList& list) : m_list(list) { m_list.SetRedraw(false); }
  ~RedrawHold() { m_list.SetRedraw(true); }
  RedrawHold(const RedrawHold&) = delete;
  RedrawHold& operator=(const RedrawHold&) = delete;

 private:
  ResultsList& m_list;
};

}  // namespace kalvenor
