// The Log File box: a line edit for the log's path that takes a dropped
// file as its path. A local file dropped on it (the first, when several
// are) is offered as the path it stands for (pathDropped), never as a
// "file://" address; whoever gets it decides, off the GUI thread, whether
// it may be a log (a folder may not). Other addresses (a web page) are
// refused; plain text dropped goes in as into any line edit.
#pragma once

#include <QLineEdit>
#include <string>

class QMimeData;

class LogFileBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit LogFileBox(QWidget* parent = nullptr);

  // The local path a drag of `mime` offers: its first item when that is a
  // local file's address; empty otherwise (also for a drag of plain text).
  static std::string OfferedPath(const QMimeData* mime);

 signals:
  void pathDropped(const std::string& path);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};
