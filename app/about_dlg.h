// The about box: the program's icon, name and version and the maker's line,
// laid out in dialog units of its font. It closes with OK, Esc and the close
// box alike; it has no state of its own.
#pragma once

#include <QDialog>

class AboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDlg(QWidget* parent = nullptr);
};
