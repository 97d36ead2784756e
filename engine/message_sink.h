// Where the engine shows a message to the user and waits until it is read:
// a modal message box on the desktop, a line on standard error in the tool.
#pragma once

#include <string>

#include "failure.h"

namespace kalvenor {

enum class MessageIcon { Stop, Exclamation };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` exactly as given and returns once the user has seen it.
  virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
  // Shows `text`, a message that tells of `failure` in the user's words
  // alone. The window shows the text as ShowMessage does; the tool adds
  // the system's own text and the paths `failure` holds (set only where
  // the text names none).
  virtual void ShowFailure(const std::string& text, MessageIcon icon, const Failure& /*failure*/) {
    ShowMessage(text, icon);
  }
};

}  // namespace kalvenor
