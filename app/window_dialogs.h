// The form's dialogs as the user sees them: window-modal dialogs over the
// main window, opened with open() and answered through their finished()
// signal (see FormDialogs).
//
// Once StopAsking() has run (the program is being ended by a signal),
// nothing waits for the user any more: the dialogs open now close with
// "No" or "Cancel", later messages go to standard error and later questions
// are answered the same way at once.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include "form_dialogs.h"

class QDialog;
class QWidget;

class WindowDialogs : public QObject, public FormDialogs {
  Q_OBJECT

 public:
  // Dialogs stand over `window`, which must outlive this object.
  explicit WindowDialogs(QWidget* window, QObject* parent = nullptr);

  void ShowMessage(const QString& text, kalvenor::MessageIcon icon, Closed closed) override;
  void AskLogFileName(const QString& current, Chosen chosen) override;
  void AskUndoLogFileName(const QString& current, Chosen chosen) override;
  void AskYesNo(const QString& question, Answered answered) override;

  // See above.
  void StopAsking();

 private:
  // Opens `dialog` (deleted when it closes) and keeps it until it closes.
  void Open(QDialog* dialog);

  QWidget* m_window;
  bool m_stopped = false;
  QList<QPointer<QDialog>> m_open;
};
