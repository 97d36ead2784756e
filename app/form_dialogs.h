// How the form tells the user something and asks: a message box, the two
// log-file choosers and a yes-or-no question. Every call returns at once;
// the answer comes later, on the GUI thread, through the callback, once the
// dialog has closed. No dialog turns an event loop of its own, so nothing
// the program does waits inside one.
//
// WindowDialogs shows real dialogs over the main window; tests give the form
// stand-ins that answer as they are told.
#pragma once

#include <QString>
#include <functional>

#include "message_sink.h"

class FormDialogs {
 public:
  // Called once the message box has closed.
  using Closed = std::function<void()>;
  // Called with the chosen path; an empty path means cancelled.
  using Chosen = std::function<void(const QString& path)>;
  // Called with true for Yes.
  using Answered = std::function<void(bool yes)>;

  virtual ~FormDialogs() = default;

  // A message box captioned with the program's name: the stop icon or the
  // exclamation mark.
  virtual void ShowMessage(const QString& text, kalvenor::MessageIcon icon, Closed closed) = 0;
  // The save dialog of Browse...: a log to append to (an existing one is
  // chosen without a question), opened at `current` when it is not empty.
  virtual void AskLogFileName(const QString& current, Chosen chosen) = 0;
  // The open dialog of File > Undo from Log File..., opened at `current`.
  virtual void AskUndoLogFileName(const QString& current, Chosen chosen) = 0;
  // A question with Yes and No, No being the default.
  virtual void AskYesNo(const QString& question, Answered answered) = 0;
};
