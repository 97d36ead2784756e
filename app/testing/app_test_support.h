// What the desktop tests share beyond the common test support (temporary
// folders): a test main that runs every test offscreen under a QApplication
// with HOME and XDG_CONFIG_HOME pointed at a temporary folder of its own,
// dialogs that answer at once as the test tells them, and helpers for
// finding widgets and for waiting for the form's work to end.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "form_dialogs.h"
#include "test_support.h"

class KalvenorView;

namespace apptest {

using kalvenor::testing::TempDir;

// The child of `parent` with object name `name`, failing the test when absent.
template <typename T>
T* Find(const QWidget* parent, const char* name) {
  return parent->findChild<T*>(QLatin1String(name));
}

// The form's dialogs, answered at once: every message is recorded and read,
// the choosers give the names set here (empty: cancelled), and the question
// is recorded and answered with `yes`.
class AnsweringDialogs : public FormDialogs {
 public:
  struct Shown {
    QString text;
    kalvenor::MessageIcon icon;
  };

  void ShowMessage(const QString& text, kalvenor::MessageIcon icon, Closed closed) override;
  void AskLogFileName(const QString& current, Chosen chosen) override;
  void AskUndoLogFileName(const QString& current, Chosen chosen) override;
  void AskYesNo(const QString& question, Answered answered) override;

  std::vector<Shown> shown;
  QString logFileName;
  int logFileNameAsked = 0;
  QString undoLogFileName;
  QStringList questions;
  bool yes = true;
};

// Turns the event loop until the folder tree inside `parent` has ended the
// walk of its Populate (at once when none runs); false when it was not found
// or did not end.
bool WaitUntilTreePopulated(const QWidget* parent);
// Turns the event loop until the form has no run and no undo from a log
// under way. False when it did not end.
bool WaitUntilIdle(const KalvenorView* view);
// WaitUntilIdle, and until no disk work of any part (the folder test, the
// tree's reads) is waiting to come back.
bool WaitUntilSettled(const KalvenorView* view);

}  // namespace apptest
