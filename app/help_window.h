// The program's own help window: the HTML help page in a text browser, for
// desktops that have no web browser to show it. The page's links to its
// own sections work; links out of it go to the desktop. The page is shown
// in the desktop's colours: its own style sheet (written for a browser's
// white page) gives way to one made from the window's palette.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the page at `path`, at its top; false (showing nothing new) when
  // it cannot be read.
  bool ShowPage(const QString& path);

  QTextBrowser* Browser() const { return m_browser; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void ApplyPalette();

  QTextBrowser* m_browser;
  QString m_html;  // the page without its own style sheet
};
