// Where the engine shows a message to the user and waits until it is read:
// a modal message box on the desktop, a line on standard error in the tool.
#pragma once

#include <string>

namespace kalvenor {

enum class MessageIcon { Stop, Exclamation };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` exactly as given and returns once the user has seen it.
  virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
};

}  // namespace kalvenor
