// The help command: finds the program's HTML help page and asks the desktop
// to open it. The page lies beside the executable in a build folder and in
// share/kalvenor/ under the install prefix. When the page is missing or the
// desktop cannot open it, the failure message is shown.
//
// Both the opening and the message go through replaceable functions, so a
// test can answer them; the defaults use the desktop and a message box.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QWidget;

class HelpLauncher {
 public:
  // Searches the usual places (see above).
  HelpLauncher();
  // Searches `searchDirs`, in order.
  explicit HelpLauncher(QStringList searchDirs);

  // Opens the help's contents page; gives false after showing the failure.
  bool Launch();

  // The page found in the search folders, or an empty string.
  QString FindHelpPage() const;

  // The window that owns the failure message box (may be null).
  void SetParentWindow(QWidget* window) { m_parent = window; }

  std::function<bool(const QUrl&)> openUrl;
  std::function<void(const QString&)> showFailure;

 private:
  QStringList m_searchDirs;
  QWidget* m_parent = nullptr;
};
