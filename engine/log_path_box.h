// The log-file box of the form, together with the document title that the
// main window's caption shows. Paths are byte strings.
#pragma once

#include <string>

namespace kalvenor {

class LogPathBox {
 public:
  virtual ~LogPathBox() = default;
  // The text of the box as it stands now; empty means "no log".
  virtual std::string GetLogPath() const = 0;
  // Puts `path` into the box and into the persisted "Log" setting and, when
  // it is not empty, makes it the document title.
  virtual void SetLogPath(const std::string& path) = 0;
  // Makes `title` the document title only (the box and setting stay).
  virtual void SetDocumentTitle(const std::string& title) = 0;
};

}  // namespace kalvenor
