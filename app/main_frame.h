// The main window: caption "<document title> - Kalvenor", the File and Help
// menus (Ctrl+Q quits, F1 opens the help), no tool bar and no status bar. Its client area is a
// scroll area holding the form, which scrolls when the window is smaller than it. The frame owns
// the scroll area; the form is given to it and then owned by it. Whatever closes the window (the
// close box, File > Exit, Quit, a quit signal) asks the close guard first, which may hold the close
// back.
#pragma once

#include <QMainWindow>
#include <QSize>
#include <functional>

class KalvenorDoc;
class QAction;
class QScrollArea;

class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainFrame(KalvenorDoc& doc, QWidget* parent = nullptr);

  // Puts `form` into the scroll area (taking ownership).
  void SetForm(QWidget* form);
  QScrollArea* FormArea() const { return m_area; }

  // Resizes the window so that its client area shows the form's `formSize`
  // exactly. Where the screen's available area cannot hold the form and the
  // screen is at most 800 pixels wide, a dimension may only shrink (and the
  // form scrolls). Position and stacking stay.
  void FitToForm(QSize formSize);

  // The client size FitToForm aims at, given the largest client area the
  // screen's available area allows, the screen width, the client size now
  // and the form's size.
  static QSize WantedClientSize(QSize room, int screenWidth, QSize current, QSize form);

  // Gives the window the size `size` (as NormalSize gave it), where it is
  // valid, as far as the screen's available area holds it, and maximises it
  // when `maximized`; the window's size stays as it is otherwise.
  void RestoreSize(QSize size, bool maximized);
  // The window's size without its frame when it is neither maximised nor
  // full screen.
  QSize NormalSize() const;

  // While a run works, File > Undo from Log File... is off.
  void OnRunningChanged(bool running);

  // `mayClose` is asked before the window closes; false keeps it open (the
  // guard closes it later itself).
  void SetCloseGuard(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }

 signals:
  void undoFromLogRequested();
  void helpRequested();
  void aboutRequested();

 private:
  void closeEvent(QCloseEvent* event) override;
  void UpdateCaption();

  KalvenorDoc& m_doc;
  std::function<bool()> m_mayClose;
  QScrollArea* m_area;
  QAction* m_undoFromLog = nullptr;
};
