// The document: it holds no data and is never modified, so closing the
// window never asks to save. Its title is all the user sees of it: the main
// window's caption shows it, and the log file path becomes it.
#pragma once

#include <QObject>
#include <QString>

class KalvenorDoc : public QObject {
  Q_OBJECT

 public:
  explicit KalvenorDoc(QObject* parent = nullptr);

  const QString& Title() const { return m_title; }
  // Emits titleChanged when the title differs from the current one.
  void SetTitle(const QString& title);

 signals:
  void titleChanged(const QString& title);

 private:
  QString m_title;
};
