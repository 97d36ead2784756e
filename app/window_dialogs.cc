#include "window_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <cstdio>
#include <utility>

#include "app_texts.h"

WindowDialogs::WindowDialogs(QWidget* window, QObject* parent)
    : QObject(parent), m_window(window) {}

void WindowDialogs::Open(QDialog* dialog) {
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  m_open.removeAll(nullptr);
  m_open.append(dialog);
  dialog->open();
}

void WindowDialogs::StopAsking() {
  m_stopped = true;
  const QList<QPointer<QDialog>> open = std::exchange(m_open, {});
  for (const QPointer<QDialog>& dialog : open) {
    if (dialog != nullptr) dialog->reject();
  }
}

void WindowDialogs::ShowMessage(const QString& text, kalvenor::MessageIcon icon, Closed closed) {
  if (m_stopped) {
    std::fprintf(stderr, "kalvenor: %s\n", qPrintable(text));
    closed();
    return;
  }
  const QMessageBox::Icon boxIcon =
      icon == kalvenor::MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning;
  auto* box = new QMessageBox(boxIcon, AppTexts::AppName(), text, QMessageBox::Ok, m_window);
  connect(box, &QDialog::finished, this, [closed = std::move(closed)] { closed(); });
  Open(box);
}

void WindowDialogs::AskLogFileName(const QString& current, Chosen chosen) {
  if (m_stopped) {
    chosen(QString());
    return;
  }
  auto* dialog = new QFileDialog(m_window);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setNameFilter(AppTexts::LogFilesFilter());
  dialog->setDefaultSuffix(AppTexts::LogSuffix());
  // Choosing an existing log means appending to it: no overwrite question.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  // Opens in the folder of the log in the box, with its name filled in.
  if (!current.isEmpty()) dialog->selectFile(current);
  connect(dialog, &QDialog::finished, this, [dialog, chosen = std::move(chosen)](int result) {
    const QStringList files = dialog->selectedFiles();
    chosen(result == QDialog::Accepted && !files.isEmpty() ? files.constFirst() : QString());
  });
  Open(dialog);
}

void WindowDialogs::AskUndoLogFileName(const QString& current, Chosen chosen) {
  if (m_stopped) {
    chosen(QString());
    return;
  }
  auto* dialog = new QFileDialog(m_window);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilters({AppTexts::LogFilesFilter(), AppTexts::AllFilesFilter()});
  if (!current.isEmpty()) dialog->selectFile(current);
  connect(dialog, &QDialog::finished, this, [dialog, chosen = std::move(chosen)](int result) {
    const QStringList files = dialog->selectedFiles();
    chosen(result == QDialog::Accepted && !files.isEmpty() ? files.constFirst() : QString());
  });
  Open(dialog);
}

void WindowDialogs::AskYesNo(const QString& question, Answered answered) {
  if (m_stopped) {
    answered(false);
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Question, AppTexts::AppName(), question,
                              QMessageBox::Yes | QMessageBox::No, m_window);
  box->setDefaultButton(QMessageBox::No);
  connect(box, &QDialog::finished, this, [box, answered = std::move(answered)] {
    answered(box->standardButton(box->clickedButton()) == QMessageBox::Yes);
  });
  Open(box);
}
